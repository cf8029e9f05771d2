#pragma once

#include "sim/RecordingDialog.h"
#include "sim/VirtualHost.h"

namespace qolmex {

using FakeHost = VirtualHost;
using FakeDialog = RecordingDialog;

} // namespace qolmex
