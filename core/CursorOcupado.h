#pragma once
// The busy cursor: shown for as long as the object lives, so that every way
// out of a command, an exception included, restores the normal cursor.
// Objects nest: the cursor comes back when the outermost one goes. Without a
// graphical application (the command-line tools) it does nothing.

namespace brivo {

class TCursorOcupado {
public:
    TCursorOcupado();
    ~TCursorOcupado();
    TCursorOcupado(const TCursorOcupado&) = delete;
    TCursorOcupado& operator=(const TCursorOcupado&) = delete;

private:
    bool puesto = false;
};

} // namespace brivo
