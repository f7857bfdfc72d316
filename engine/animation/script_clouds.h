// The cloud pattern feature size the cloud keywords ask for, guarded against a damaged cloud scale.
#pragma once

#include "engine/scene/cloud_pattern.h"
