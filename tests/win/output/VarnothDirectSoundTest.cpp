#include "VarnothTestSupport.h"
int main() {}
