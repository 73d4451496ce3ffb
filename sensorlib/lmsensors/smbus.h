#pragma once
// The SMBus base that GetSMBAddress reports, derived from an i2c adapter.
#include <cstdint>
#include <string>
#include <vector>

#include "sensorlib/lmsensors/board_mapping.h"

namespace kvx::lmsensors {

inline constexpr std::uint16_t kNoSmbus = 0xFFFE;

// The i2c adapters under <sysRoot>/class/i2c-adapter, by number.
std::vector<AdapterInfo> listI2cAdapters(const std::string& sysRoot);

// The adapter's I/O base: the "at XXXX" that PC SMBus drivers put in the
// adapter name ("SMBus I801 adapter at efa0"), else the first I/O port region
// of the adapter's PCI device, else the adapter number itself, so that an
// adapter without ports still gives a base other than kNoSmbus.
std::uint16_t smbusBase(const std::string& sysRoot, const AdapterInfo& adapter);

// Only the name part: the I/O base written in an adapter name, or -1.
int ioBaseFromAdapterName(const std::string& name);

// Only the resource part: the first I/O port region in the text of a PCI
// device's `resource` file, or -1.
int ioBaseFromPciResource(const std::string& resourceText);

}  // namespace kvx::lmsensors
