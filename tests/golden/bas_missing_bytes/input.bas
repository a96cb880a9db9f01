' missing
DefineFont #8
  03410808 66663C18 0066667E 7C66667C
End DefineFont
