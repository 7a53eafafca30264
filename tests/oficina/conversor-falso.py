#!/usr/bin/python3
# A converter process without LibreOffice, for the tests of its supervision:
# it speaks the converter's line protocol and copies the input to the output,
# except that an input whose name holds "colgado" never gets an answer and one
# holding "caido" ends the process. Copied under a name that holds "colgado",
# it hangs on every request. Like the real one it starts a child (the
# program given as LibreOffice, run with "3600") that lives as long as it does;
# before hanging it writes the child's id into the output path + ".hijo".
import json
import os
import shutil
import subprocess
import sys
import time

hijo = subprocess.Popen([sys.argv[1], "3600"])
print(json.dumps({"estado": "listo", "version": "falso"}), flush=True)
for linea in sys.stdin:
    peticion = json.loads(linea)
    if peticion.get("orden") == "salir":
        break
    nombre = os.path.basename(peticion["entrada"])
    if "colgado" in nombre or "colgado" in os.path.basename(sys.argv[0]):
        with open(peticion["salida"] + ".hijo", "w") as f:
            f.write(str(hijo.pid))
        time.sleep(3600)
    if "caido" in nombre:
        os._exit(9)
    shutil.copyfile(peticion["entrada"], peticion["salida"])
    print(json.dumps({"ok": True, "cifrado": False, "propiedades": {}}), flush=True)
hijo.kill()
