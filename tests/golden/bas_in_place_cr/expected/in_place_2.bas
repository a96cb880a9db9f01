not saved: the words of the block share a line with its DefineFont or End DefineFont statement, so its lines cannot be rewritten alone
