' short
DefineFont #8
  01410808 66663C18 0066667
End DefineFont
