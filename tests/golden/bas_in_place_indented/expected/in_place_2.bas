' game.bas
Option Explicit
DefineFont #2   ' letters
    04410808 66663C18 0066667E 7C66667C 007C6666 6060663C 003C6660 66666C78
    00786C66
End DefineFont
Print "hi"
  DefineFont #3
	01300801
	000000FE
  End DefineFont
End
