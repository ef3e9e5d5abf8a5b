// A module needs one source; this one is empty.
