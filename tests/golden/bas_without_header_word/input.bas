' nothing
DefineFont #8
' only a comment
End DefineFont
