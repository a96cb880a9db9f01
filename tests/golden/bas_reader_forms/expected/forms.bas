' forms.bas
' Font type    : Full (2 characters)
' Font size    : 8x8 pixels
' Memory usage : 20 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  02410808 66663C18 0066667e 7C66667C 007C6666
End DefineFont
