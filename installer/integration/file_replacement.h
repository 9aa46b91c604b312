// The replacement of a user's file now lives with the other shared pieces.
#pragma once

#include "common/file_replacement.h"
