' missing.bas
' Font type    : Full (3 characters)
' Font size    : 8x8 pixels
' Memory usage : 28 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  03410808 66663C18 0066667E 7C66667C 00000000 00000000 00000000
End DefineFont
