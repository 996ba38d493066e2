exact
