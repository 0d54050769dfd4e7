// Entry point of the layer link checks: each check links one layer whole
// (every object of its archive) with only the layers below it, so a call
// into a higher layer fails the link.
int main() { return 0; }
