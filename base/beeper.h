#pragma once

namespace brisomar {

// The seam to the system sounds.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void asteriskBeep() = 0; // the system's "asterisk" sound, requested without waiting
};

} // namespace brisomar
