' surplus.bas
' Font type    : Full (1 characters)
' Font size    : 8x8 pixels
' Memory usage : 12 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  01410808 66663C18 0066667E
End DefineFont
