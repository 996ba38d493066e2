handsize 1
exact
