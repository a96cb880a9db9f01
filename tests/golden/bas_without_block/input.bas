' no font here
Print "DefineFont"
  ' DefineFont #8 in a comment
End DefineFont
