#pragma once

// The colorimetry engine: free functions over arrays of doubles.
#include "cct.h"
#include "cietables.h"
#include "colorparameters.h"
#include "colorrendering.h"
#include "huebincolours.h"
#include "lightquality.h"
#include "ohnocct.h"
#include "spectralgrid.h"
#include "tristimulus.h"
