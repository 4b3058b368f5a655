// Stands in for a game executable: only its version resource is ever read.
int main() {
    return 0;
}
