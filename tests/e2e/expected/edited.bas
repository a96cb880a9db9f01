' edited.bas
' Font type    : Full (4 characters)
' Font size    : 8x8 pixels
' Memory usage : 36 bytes
' Font adapted from: https://glyphwright.example/fonts

DefineFont #8
  04410808 66663C88 0166667E 7C66667C 007C6666 7C66667C 007C6666 66666C78
  00786C66
End DefineFont
