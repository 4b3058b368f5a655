// A program that only carries a version resource, for the version queries under Wine.
int main() {
    return 0;
}
