' stream.bas
DefineFont #8
  0341040A 02082080 00c0ff00 34120100 009a7856
End DefineFont
