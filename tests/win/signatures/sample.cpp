// A program file for the signature tests to sign, spoil and leave unsigned.
int main() { return 0; }
