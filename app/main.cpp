#include <cstdio>
int main() { std::puts("korvex " KVX_VERSION); return 0; }
