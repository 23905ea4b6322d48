#include "language/ZelkListing.h"

#include "execution/ZelkCode.h"

std::string ListingLine(int index)
{
    if (index < 0 || index > MaxCode)
        return std::string();
    const TInstruction& in = Code[index];
    return std::to_string(index) + " " + OpName(in.Op) + " " + std::to_string(in.Arg) + " " +
           std::to_string(in.Line) + " " + std::to_string(in.Page);
}

std::vector<std::string> CodeListing()
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(CodeCount));
    for (int i = 0; i < CodeCount; ++i)
        lines.push_back(ListingLine(i));
    return lines;
}
