Font 8
  definefont #3 anything after the keyword
	02410808 ' the header word
  66663C18	0066667e' glyph A, run of words:
7C66667C007C6666

  END DEFINEFONT ' done
DefineFont #9
  01200808 FFFFFFFF FFFFFFFF
End DefineFont
