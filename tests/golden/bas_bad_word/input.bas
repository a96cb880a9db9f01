' bad
DefineFont #8
  01410808 66663C18
  0066667E, 12345678
End DefineFont
