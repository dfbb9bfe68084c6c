// The shared windows know nothing of the menu.
#include <XQTestDev/XQMenu32.h>
