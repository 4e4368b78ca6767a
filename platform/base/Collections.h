// The collection classes: lists, arrays and maps (see List.h, Array.h and Map.h).
#pragma once

#include "platform/base/Array.h"
#include "platform/base/List.h"
#include "platform/base/Map.h"
