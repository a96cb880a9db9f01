' empty.bas
' Font type    : Full (0 characters)
' Font size    : 16x16 pixels
' Memory usage : 4 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  00201010
End DefineFont
