// Nothing: the DLL only has to be there and load.
