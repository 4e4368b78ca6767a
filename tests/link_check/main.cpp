// Links one library whole; the program itself does nothing.
int main() { return 0; }
