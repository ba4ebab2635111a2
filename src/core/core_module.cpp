// Every core library gets this file, so that a subsystem folder that is still
// empty still forms a valid static library.
