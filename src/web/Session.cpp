#include "Session.h"

#include "language/ZelkKey.h"

Session::Session()
{
    setSourcePages(&pages);
    setMessages(&messages);
    setWorldDisplay(&display);
    setRunControl(&run);
    display.run = &run;
    run.FeldPanelAnzeige = [this] { return display.feldPanel; };
    RebuildKeyTable();
}

Session& S()
{
    static Session session;
    return session;
}


// JSON text of a UTF-8 string.
std::string JsonQuoted(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

