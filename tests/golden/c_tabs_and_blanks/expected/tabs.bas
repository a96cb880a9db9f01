' tabs.bas
' Font type    : Full (3 characters)
' Font size    : 8x2 pixels
' Memory usage : 10 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  03410208 423c2418 00000000
End DefineFont
