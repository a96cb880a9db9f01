' stream.bas
' Font type    : Full (3 characters)
' Font size    : 10x4 pixels
' Memory usage : 19 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  0341040A 02082080 00c0ff00 34120100 009a7856
End DefineFont
