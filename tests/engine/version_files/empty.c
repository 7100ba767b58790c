/* A DLL needs one section of code; its resources are what matter. */
