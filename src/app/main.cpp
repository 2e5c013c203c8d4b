#include <iostream>

#include "app/DemoRun.h"

int main() { return orvik::RunDemo(std::cout); }
