EXIT 0
foo
