' t.bas
Cls : DefineFont #8
  04410808 66663C18 0066667E 7C66667C 007C6666 6060663C 003C6660 66666C78
  00786C66
End DefineFont : Print "done"
x = 1 : DefineFont #9 ' after a colon
  01300801 0000007E
End DefineFont
Print "a:b DefineFont" : REM DefineFont #4
