// Construction of the frame codec.
#include "comm/ModBus.h"

CModBus::CModBus() = default;

CModBus::~CModBus() = default;
