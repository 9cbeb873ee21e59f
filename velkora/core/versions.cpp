#include "core/versions.h"
