' first.bas
' Font type    : Numeric (1 characters)
' Font size    : 8x8 pixels
' Memory usage : 12 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  01300808 3C3C3C3C 3C3C3C3C
End DefineFont
