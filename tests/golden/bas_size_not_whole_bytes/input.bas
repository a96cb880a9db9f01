' odd
DefineFont #8
  01410305 00000000
End DefineFont
