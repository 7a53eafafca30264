#!/usr/bin/python3
# Converter process of Brivo II: starts LibreOffice without a window, with the
# profile folder it is given, and converts documents for the program over UNO.
#
# Started by the program (TConversorLibreOffice) as
#   python3 conversor-oficina.py SOFFICE CARPETA_PERFIL
# and driven through one JSON object per line:
#   first line written:  {"estado": "listo", "version": "..."}
#                     or {"estado": "falta", "detalle": "..."}   (no LibreOffice or no bridge)
#                     or {"estado": "error", "detalle": "..."}   (LibreOffice did not start)
#   request:  {"orden": "convertir", "entrada": RUTA, "salida": RUTA, "filtro": NOMBRE,
#              "opciones": TEXTO, "clave": TEXTO, "claveSalida": TEXTO,
#              "propiedades": {"titulo", "asunto", "autor", "comentarios"} (optional)}
#   answer:   {"ok": true, "cifrado": BOOL, "propiedades": {...}}
#          or {"ok": false, "motivo": "clave"|"danado"|"abrir"|"guardar"|"caido"|"orden",
#              "detalle": TEXTO}
# The input is opened without a password first; only when it asks for one is
# "clave" tried ("cifrado" then tells so). "claveSalida" protects the output.
#   request:  {"orden": "salir"}  (or the end of the input): LibreOffice is closed, the process ends.
# The input file is opened read-only; the output is written where it is asked
# (the program writes to a temporary name and renames it afterwards).
import json
import os
import subprocess
import sys
import time


def escribir(objeto):
    sys.stdout.write(json.dumps(objeto, ensure_ascii=True) + "\n")
    sys.stdout.flush()


try:
    import uno
    import unohelper
    from com.sun.star.beans import NamedValue, PropertyValue
    from com.sun.star.task import XInteractionHandler
except ImportError as error:
    escribir({"estado": "falta", "detalle": str(error)})
    sys.exit(3)


def propiedades(**valores):
    lista = []
    for nombre, valor in valores.items():
        p = PropertyValue()
        p.Name = nombre
        p.Value = valor
        lista.append(p)
    return tuple(lista)


class Manejador(unohelper.Base, XInteractionHandler):
    """Answers LibreOffice's questions while a file loads, always with "abort":
    it notes whether the file asked for a password and whether it asked
    anything else (a damaged file, a format error)."""

    def __init__(self):
        self.pidio_clave = False
        self.otra = False

    def handle(self, peticion):
        continuaciones = peticion.getContinuations()
        tipos = [[t.typeName.rsplit(".", 1)[-1] for t in c.getTypes()] for c in continuaciones]
        if any(n.startswith("XInteractionPassword") for ts in tipos for n in ts):
            self.pidio_clave = True
        else:
            self.otra = True
        for c, ts in zip(continuaciones, tipos):
            if "XInteractionAbort" in ts:
                c.select()
                return


def arrancar(soffice, perfil):
    tubo = "brivo2-%d-%d" % (os.getpid(), int(time.time() * 1000) % 100000)
    orden = [
        soffice, "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
        "--nolockcheck", "--nofirststartwizard",
        "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.abspath(perfil)),
        "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % tubo,
    ]
    proceso = subprocess.Popen(orden, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolvedor = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    url = "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % tubo
    limite = time.monotonic() + 120
    reiniciado = False
    while True:
        try:
            contexto = resolvedor.resolve(url)
            break
        except Exception:
            if proceso.poll() is not None:
                # 81 asks to be started again (after it set up a new profile).
                if proceso.returncode != 81 or reiniciado:
                    raise RuntimeError("LibreOffice terminó al empezar (código %d)"
                                       % proceso.returncode)
                proceso = subprocess.Popen(orden, stdin=subprocess.DEVNULL,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                reiniciado = True
            if time.monotonic() > limite:
                raise RuntimeError("LibreOffice no responde")
            time.sleep(0.05)
    escritorio = contexto.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.Desktop", contexto)
    version = ""
    try:
        proveedor = contexto.ServiceManager.createInstanceWithContext(
            "com.sun.star.configuration.ConfigurationProvider", contexto)
        acceso = proveedor.createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationAccess",
            propiedades(nodepath="/org.openoffice.Setup/Product"))
        version = acceso.getByName("ooSetupVersionAboutBox")
    except Exception:
        pass
    return proceso, escritorio, version


class Fallo(Exception):
    def __init__(self, motivo, detalle=""):
        super().__init__(detalle)
        self.motivo = motivo


def cargar(escritorio, proceso, url, clave):
    """The document, or None; and the handler that saw the questions."""
    manejador = Manejador()
    carga = dict(Hidden=True, ReadOnly=True, InteractionHandler=manejador,
                 MacroExecutionMode=0, UpdateDocMode=0)
    if clave is not None:
        carga["Password"] = clave
    try:
        documento = escritorio.loadComponentFromURL(url, "_blank", 0, propiedades(**carga))
    except Exception as error:
        if proceso.poll() is not None or "Disposed" in type(error).__name__:
            raise Fallo("caido", str(error))
        documento = None
    return documento, manejador


def abrir(escritorio, proceso, ruta, clave):
    """Opens the file without a password; when it asks for one, with clave.
    Returns the document and whether it needed the password."""
    url = uno.systemPathToFileUrl(os.path.abspath(ruta))
    documento, manejador = cargar(escritorio, proceso, url, None)
    if documento is not None:
        return documento, False
    if manejador.pidio_clave:
        if clave:
            documento, _ = cargar(escritorio, proceso, url, clave)
            if documento is not None:
                return documento, True
        raise Fallo("clave")
    raise Fallo("danado" if manejador.otra else "abrir")


def leer_propiedades(documento):
    try:
        p = documento.DocumentProperties
        return {"titulo": p.Title, "asunto": p.Subject, "autor": p.Author,
                "comentarios": p.Description}
    except Exception:
        return {}


def poner_propiedades(documento, valores):
    p = documento.DocumentProperties
    p.Title = valores.get("titulo", "")
    p.Subject = valores.get("asunto", "")
    p.Author = valores.get("autor", "")
    p.Description = valores.get("comentarios", "")


def argumentos_guardado(peticion):
    guardado = [("FilterName", peticion["filtro"]), ("Overwrite", True)]
    if peticion.get("opciones"):
        guardado.append(("FilterOptions", peticion["opciones"]))
    clave = peticion.get("claveSalida")
    if clave and peticion["filtro"] == "MS Word 2007 XML":
        # Word 2007+ files are encrypted from a password in the encryption data.
        datos = []
        for nombre, valor in (("OOXPassword", clave), ("CryptoType", "Standard")):
            n = NamedValue()
            n.Name, n.Value = nombre, valor
            datos.append(n)
        guardado.append(("EncryptionData",
                         uno.Any("[]com.sun.star.beans.NamedValue", tuple(datos))))
    elif clave:
        guardado.append(("Password", clave))
    lista = []
    for nombre, valor in guardado:
        p = PropertyValue()
        p.Name, p.Value = nombre, valor
        lista.append(p)
    return uno.Any("[]com.sun.star.beans.PropertyValue", tuple(lista))


def convertir(escritorio, proceso, peticion):
    try:
        documento, cifrado = abrir(escritorio, proceso, peticion["entrada"],
                                   peticion.get("clave", ""))
    except Fallo as fallo:
        return {"ok": False, "motivo": fallo.motivo, "detalle": str(fallo)}
    try:
        leidas = leer_propiedades(documento)
        if "propiedades" in peticion:
            poner_propiedades(documento, peticion["propiedades"])
        salida = uno.systemPathToFileUrl(os.path.abspath(peticion["salida"]))
        uno.invoke(documento, "storeToURL", (salida, argumentos_guardado(peticion)))
    except Exception as error:
        motivo = "caido" if proceso.poll() is not None else "guardar"
        return {"ok": False, "motivo": motivo, "detalle": str(error)}
    finally:
        try:
            documento.close(True)
        except Exception:
            pass
    return {"ok": True, "cifrado": cifrado, "propiedades": leidas}


def terminar(proceso, escritorio):
    try:
        escritorio.terminate()
    except Exception:
        pass
    try:
        proceso.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proceso.kill()
        proceso.wait()


def main():
    if len(sys.argv) != 3:
        escribir({"estado": "error", "detalle": "uso: conversor-oficina.py SOFFICE PERFIL"})
        return 2
    soffice, perfil = sys.argv[1], sys.argv[2]
    if not os.access(soffice, os.X_OK):
        escribir({"estado": "falta", "detalle": soffice})
        return 3
    try:
        proceso, escritorio, version = arrancar(soffice, perfil)
    except Exception as error:
        escribir({"estado": "error", "detalle": str(error)})
        return 1
    escribir({"estado": "listo", "version": version})
    for linea in sys.stdin:
        linea = linea.strip()
        if not linea:
            continue
        try:
            peticion = json.loads(linea)
        except ValueError:
            escribir({"ok": False, "motivo": "orden", "detalle": linea[:200]})
            continue
        if peticion.get("orden") == "salir":
            break
        if peticion.get("orden") != "convertir":
            escribir({"ok": False, "motivo": "orden", "detalle": str(peticion.get("orden"))})
            continue
        respuesta = convertir(escritorio, proceso, peticion)
        escribir(respuesta)
        if respuesta.get("motivo") == "caido":
            proceso.kill()
            return 1
    terminar(proceso, escritorio)
    return 0


if __name__ == "__main__":
    sys.exit(main())
