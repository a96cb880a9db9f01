' case.bas
' Font type    : Full (1 characters)
' Font size    : 10x4 pixels
' Memory usage : 9 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  014f040a 0007cDab 00000000
End DefineFont
