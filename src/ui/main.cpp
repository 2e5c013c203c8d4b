#include "ui/Application.h"

int main(int argc, char** argv) { return orvik::RunApplication(argc, argv); }
