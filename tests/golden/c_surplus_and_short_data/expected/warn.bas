' warn.bas
' Font type    : Full (2 characters)
' Font size    : 8x2 pixels
' Memory usage : 8 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  02410208 423C0018
End DefineFont
