#pragma once

namespace brisomar {

// The seam to the help pages: each window opens the page of its help context number.
class Help {
public:
    virtual ~Help() = default;
    virtual void showContext(int context) = 0;
};

} // namespace brisomar
