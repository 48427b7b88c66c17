// Program entry. For now it only proves the build; the window comes with the picture layer.
int main() { return 0; }
