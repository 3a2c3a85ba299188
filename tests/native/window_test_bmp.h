// The tests' BMP builder under the name the benchmarks include it by.
#pragma once
#include "bmp_craft.h"

namespace hqtestbmp = bmptest;
