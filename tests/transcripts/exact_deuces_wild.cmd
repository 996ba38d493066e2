wild 2
exact
