foo
  Quit   now
foo
