' surplus
DefineFont #8
  01410808 66663C18 0066667E
  00000000 FFFFFFFF
End DefineFont
