' gaps.bas
' Font type    : Full (4 characters)
' Font size    : 8x2 pixels
' Memory usage : 12 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  04410208 423C2418 0000403C
End DefineFont
