#include "core/pe_probe.h"

#include <cstring>

#include "core/pe_bytes.h"

namespace brontal {

using pe::kMz;
using pe::kPeSignature;
using pe::u16;
using pe::u32;

PeVerdict probePe(PeReader& file) {
    unsigned char dos[64] = {};
    unsigned char header[24] = {};
    // Bytes the file did not supply are not zeros of the file: one cut before
    // the last byte judged is no image, where the zeros would have made a cut
    // header "machine 0" and a cut machine field "100" or "76".
    std::size_t got = file.read(dos, sizeof dos);
    if (got < sizeof dos || u16(dos) != kMz) return {}; // e_lfanew ends the DOS header
    // e_lfanew of 2^31 or more is negative here and the seek fails; going on
    // would judge whatever follows the DOS header instead.
    if (!file.seek(static_cast<std::int32_t>(u32(dos + 60)))) return {};
    got = file.read(header, sizeof header);
    if (got < 6) return {}; // signature and machine field; the rest is not judged
    if (u32(header) != kPeSignature) return {};
    return machineVerdict(u16(header + 4));
}

PeVerdict machineVerdict(std::uint16_t machine) {
    switch (machine) {
    case 0x014C: return {PeKind::I386, machine};
    case 0x8664: return {PeKind::Amd64, machine};
    case 0x0200: return {PeKind::Ia64, machine};
    default: return {PeKind::OtherMachine, machine};
    }
}

std::string unknownArchitectureMessage(std::uint16_t machine) {
    return "Arquitetura desconhecida: " + std::to_string(static_cast<std::int16_t>(machine));
}

std::string bitnessText(bool is64) { return is64 ? "64" : "32"; }

} // namespace brontal
