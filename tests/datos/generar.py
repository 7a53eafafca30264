#!/usr/bin/env python3
"""Writes the sample library files of the tests, field by field.

The files are committed beside this script and the tests read the committed
copies; run it again only to change the samples (then update the expected
values written in the tests):

    python3 tests/datos/generar.py

Everything here is packed by hand from the byte layouts of the files, with
no code of the program: little-endian integers, one length byte before the
characters of a fixed-capacity text, texts in Windows-1252.

    biblioteca/Libros.lst          four books (records of 844 bytes)
    biblioteca/Docs.lst            eight documents of every kind (232 bytes)
    biblioteca/Arbol.tvw           a topic tree with accents, a node of
                                   255 characters, a node without identifier
    biblioteca/BRIVO_II.INI        settings, with values the reader corrects
    biblioteca/BRIVO_II.esperado.INI  the same file once written back
    arbol_inicial/Arbol0.tvw       the initial tree of a new installation
    paquete/Fisica_y_Quimica.zip   a book package without password
"""
import os
import struct
import zipfile

CARPETA = os.path.dirname(os.path.abspath(__file__))


def texto(t):
    """Bytes of a text as the files keep it (Windows-1252)."""
    return t.encode("cp1252")


def cadena(t, capacidad, resto=b""):
    """A string[capacidad] field: length byte, the characters, then the unused
    bytes of the field (zeros unless resto says what lies there)."""
    b = texto(t) if isinstance(t, str) else t
    assert len(b) <= capacidad, (t, capacidad)
    cola = (resto + b"\0" * capacidad)[: capacidad - len(b)]
    return bytes([len(b)]) + b + cola


def int32(v):
    return struct.pack("<i", v)


def logico(v):
    return b"\1" if v else b"\0"


# ---------------------------------------------------------------------------
# Stored form of a book identifier (twelve characters with codes 177..208).


def clave_cifrada(identificador):
    a = [0] + [int(c) for c in "%06d" % identificador]  # a[1] .. a[6]
    b = [
        9 * a[5],
        5 * a[5] + 6 * a[6],
        2 * a[5] + 3 * a[6] + 4 * a[4],
        2 * a[3] + 3 * a[4] + 4 * a[5],
        4 * a[2] + 3 * a[3] + 2 * a[4],
        2 * a[1] + 3 * a[2] + 4 * a[6],
    ]
    s = "".join("%02d" % v for v in b)
    return bytes(ord(c) + 127 + 2 * i for i, c in enumerate(s, start=1))


# 123456: b = 45 61 44 38 25 32 -> "456144382532", shifted by 129, 131, ...
assert clave_cifrada(123456)[:2] == bytes([ord("4") + 129, ord("5") + 131])


def relleno(semilla):
    """100 characters with codes 130..229, as a save leaves them (here a fixed
    pattern instead of random ones)."""
    return bytes(130 + (semilla * 37 + 11 * i) % 100 for i in range(100))


# ---------------------------------------------------------------------------
# Libros.lst: one 844-byte record per book, no header.


def registro_libro(senuelo, identificador, titulo, autor, materia, comentario,
                   carpeta, clave_en_doc, cambios, mas_doc, exportar,
                   identificador_en_claro=False):
    r = b""
    # 0: Identificador. In Libros.lst a decoy 100000..998999; in a package
    # the identifier itself.
    r += int32(identificador if identificador_en_claro else senuelo)
    r += cadena(titulo, 100)      # 4: Titulo
    r += cadena(autor, 100)       # 105: Autor
    r += cadena(materia, 100)     # 206: Materia
    r += cadena(comentario, 200)  # 307: Comentario
    r += cadena(carpeta, 100)     # 508: Carpeta
    r += logico(clave_en_doc)     # 609: ClaveEnDoc
    r += logico(cambios)          # 610: PermitirCambiosEnDoc
    r += logico(mas_doc)          # 611: PermitirMasDoc
    r += logico(exportar)         # 612: PermitirExportar
    r += b"\0" * 3                # 613: padding
    r += int32(1)                 # 616: Cifrado, always 1
    r += cadena(clave_cifrada(identificador), 20)  # 620: ClaveCifrada
    r += cadena(relleno(identificador), 100)       # 641: Relleno1
    r += cadena(relleno(identificador + 1), 100)   # 742: Relleno2
    r += b"\0"                    # 843: padding
    assert len(r) == 844
    return r


TITULO_LARGO = "Historia de España: de la Prehistoria a la Transición, con " \
               "mapas, cronologías y comentarios de texto"
assert len(TITULO_LARGO) == 100
COMENTARIO_LARGO = ("Comentario de doscientos caracteres. " * 6)[:200]

LIBROS = [
    # decoy, identifier, title, author, subject, comment, folder,
    # ClaveEnDoc, PermitirCambiosEnDoc, PermitirMasDoc, PermitirExportar
    (654321, 123456, "Matemáticas de 1º de Bachillerato", "Ana Núñez Peña",
     "Matemáticas", "Ejercicios de álgebra y cálculo", "Matematicas1",
     True, True, True, True),
    # The password is kept in the documents and export is forbidden.
    (100000, 7, "Libro cerrado", "Departamento", "Latín", "", "Cerrado",
     True, False, False, False),
    (998999, 999999, TITULO_LARGO, "José Ángel Muñoz", "Historia",
     COMENTARIO_LARGO, "Historia de España", False, True, False, True),
    # Five digits: the stored form starts with the digit 0.
    (500000, 10203, "Sin autor", "", "", "", "sin_autor",
     False, False, True, True),
]


# ---------------------------------------------------------------------------
# Docs.lst: one 232-byte record per used document slot, ascending Numero.


def registro_documento(numero, descripcion, id_libro, materia, tema, contenido,
                       marcado=False, dificultad=0, puntos=0.0, tipo=0,
                       respuesta="", usos=0, similitud=0,
                       creacion="15/09/2003", uso="01/01/1900", formato="DOC8"):
    r = b""
    r += int32(numero)                # 0: Numero, the slot
    r += logico(marcado)              # 4: Marcado (not kept by a load)
    r += cadena(descripcion, 100)     # 5: Descripcion
    r += b"\0" * 2                    # 106: padding
    r += int32(dificultad)            # 108: Dificultad
    r += struct.pack("<d", puntos)    # 112: Puntos, IEEE 754 double
    r += int32(tipo)                  # 120: Tipo 0..3
    r += cadena(respuesta, 10)        # 124: Respuesta
    r += b"\0"                        # 135: padding
    r += int32(usos)                  # 136: Usos
    r += int32(similitud)             # 140: Similitud
    r += cadena(creacion, 10)         # 144: FechaCreacion
    r += cadena(uso, 10)              # 155: FechaUso
    r += b"\0" * 2                    # 166: padding
    r += int32(id_libro)              # 168: IdLibro
    r += int32(materia)               # 172: IdMateria
    r += int32(tema)                  # 176: IdTema
    r += int32(contenido)             # 180: IdContenido
    r += b"\0" * 20                   # 184: Reservado, five int32 0
    r += cadena(formato, 20)          # 204: Formato
    r += b"\0" * 7                    # 225: padding
    assert len(r) == 232
    return r


# Ends in dots up to the 100 characters.
DESCRIPCION_LARGA = ("Descripción de cien caracteres, con acentos: á é í ó ú ñ ü "
                     "¿¡ y el resto de relleno hasta el 100").ljust(100, ".")
assert len(DESCRIPCION_LARGA) == 100

DOCUMENTOS = [
    # A question model (Útiles / Modelos de pregunta).
    registro_documento(1, "Modelo de documento 1", 123456, 1, 1, 0),
    # An exam model (Útiles / Modelos de examen).
    registro_documento(2, "Modelo de examen 2", 123456, 1, 2, 0),
    # Slot 3 is free: no record.
    # A test question under Matemáticas / Álgebra / Ecuaciones de 2º grado.
    registro_documento(4, "¿Cuál es la raíz cuadrada de 2?", 123456, 2, 1, 1,
                       dificultad=3, puntos=1.5, tipo=1, respuesta="b", usos=2,
                       similitud=1, creacion="01/10/2003", uso="12/11/2003"),
    # An assembled exam (Útiles / Exámenes).
    registro_documento(5, "Examen 5", 123456, 1, 3, 0, creacion="12/11/2003",
                       formato="DOC9"),
    # A problem of the closed book, under the contenido of 255 characters.
    registro_documento(6, "Problema de Latín", 7, 2, 2, 987654321, tipo=2,
                       dificultad=9, puntos=10.0),
    # Filed directly under a materia; stored marked, loads unmarked.
    registro_documento(7, "Pregunta de la materia", 10203, 2, 0, 0,
                       marcado=True, tipo=3, puntos=0.25),
    # A place that no node of the tree has (listed as "No asignados").
    registro_documento(8, "Sin nodo", 999999, 777, 3, 0, tipo=3,
                       dificultad=-1, puntos=-2.5),
    # The last slot with every field at its widest.
    registro_documento(500, DESCRIPCION_LARGA, 999999, 998999999, 100000000,
                       555555555, dificultad=2147483647, puntos=1.0e300,
                       tipo=0, respuesta="ñáéíóú¿?¡!", usos=2147483647,
                       similitud=-2147483648, creacion="31/12/9999",
                       uso="29/02/2000", formato="DOC12345678901234567"),
]


# ---------------------------------------------------------------------------
# Topic tree: int32 count of level-0 nodes, then each node depth-first.


class Nodo:
    def __init__(self, texto, identificador, hijos=(), imagen=0, seleccion=0,
                 estado=-1, superpuesta=-1, casilla=0, marcas=0, datos=0,
                 dato2=""):
        self.texto = texto
        self.identificador = identificador
        self.hijos = list(hijos)
        self.imagen, self.seleccion = imagen, seleccion
        self.estado, self.superpuesta = estado, superpuesta
        self.casilla, self.marcas, self.datos = casilla, marcas, datos
        self.dato2 = dato2

    def bloque(self):
        t = texto(self.texto)
        a = texto(self.identificador)
        b = texto(self.dato2)
        info = b""
        info += int32(self.imagen)       # 0: image index
        info += int32(self.seleccion)    # 4: selected image index
        info += int32(self.estado)       # 8: state image index
        info += int32(self.superpuesta)  # 12: overlay index
        info += bytes([self.casilla])    # 16: check-box type
        info += bytes([self.marcas])     # 17: bit 0 checked, bit 1 grayed
        info += int32(0)                 # 18: 0
        info += int32(self.datos)        # 22: data
        info += int32(len(a))            # 26: A, length of the identifier
        info += int32(len(b))            # 30: B, length of the second string
        info += int32(len(self.hijos))   # 34: number of children
        info += bytes([len(t)])          # 38: L, length of the text
        info += t                        # 39: the text
        assert len(info) == 39 + len(t) <= 294
        r = int32(len(info)) + info + a + b
        for h in self.hijos:
            r += h.bloque()
        return r


def arbol(raices):
    return int32(len(raices)) + b"".join(n.bloque() for n in raices)


def utiles():
    return Nodo("Útiles", "1", [
        Nodo("Modelos de pregunta", "1"),
        Nodo("Modelos de examen", "2"),
        Nodo("Exámenes", "3"),
        Nodo("No asignados", "4"),
        Nodo("Todos", "5"),
    ])


ARBOL_INICIAL = [
    utiles(),
    Nodo("Nueva materia", "2", [
        Nodo("Nuevo tema", "1", [Nodo("Nuevo contenido", "1")]),
    ]),
]

TEXTO_255 = ("Contenido de doscientos cincuenta y cinco caracteres. " * 5)[:255]

ARBOL = [
    utiles(),
    Nodo("Matemáticas", "2", [
        Nodo("Álgebra", "1", [
            Nodo("Ecuaciones de 2º grado", "1"),
            Nodo("Matrices y determinantes", "123456789"),
        ]),
        Nodo("Análisis", "2", [Nodo(TEXTO_255, "987654321")]),
    ]),
    # Drawn selected when the tree was saved (image 1); its tema carries a
    # second data string and odd values in the fields the system leaves alone.
    Nodo("Física y Química", "500000001", [
        Nodo("Óptica", "500000002", [
            Nodo("Refracción — ley de Snell", "500000003"),
        ], estado=2, superpuesta=3, casilla=1, marcas=3, datos=-7,
            dato2="nota"),
    ], imagen=1, seleccion=1),
    # No identifier text (A = 0): reads as -1.
    Nodo("Señales sin número", ""),
]


# ---------------------------------------------------------------------------
# Settings: a text file in the INI layout, Windows-1252, lines ended by CR LF.

AJUSTES = [
    "; Ajustes de Brivo II",
    "[General]",
    "NumModeloPreguntas=1",
    "NumModeloExamenes=0x2",      # hexadecimal: 2
    "LibroActivo=3",
    "",
    "[Examen]",
    "PonPregunta=0",
    "PonDesarrollo=2",            # any integer other than 0: true
    "PonRespuesta=yes",           # not an integer: the default, false
    "PonComentario=1",
    "TextoPregunta=\"Cuestión nº % \"",  # quotes keep the trailing blank
    "TextoDesarrollo=" + ("Desarrollo muy largo " * 8)[:150],  # cut to 100
    "TextoRespuesta=Solución",
    "; falta TextoComentario: vale el predeterminado",
    "",
    "[Ventana]",
    "Ancho=800",
]

# The same file after the eleven values are written back: the lines the
# reader corrected change in place, the missing key goes after the last line
# of its section, every other line stays.
AJUSTES_ESCRITOS = [
    "; Ajustes de Brivo II",
    "[General]",
    "NumModeloPreguntas=1",
    "NumModeloExamenes=2",
    "LibroActivo=3",
    "",
    "[Examen]",
    "PonPregunta=0",
    "PonDesarrollo=1",
    "PonRespuesta=0",
    "PonComentario=1",
    "TextoPregunta=\"Cuestión nº % \"",
    "TextoDesarrollo=" + ("Desarrollo muy largo " * 8)[:100],
    "TextoRespuesta=Solución",
    "; falta TextoComentario: vale el predeterminado",
    "TextoComentario=Comentario",
    "",
    "[Ventana]",
    "Ancho=800",
]


def ini(lineas):
    return b"".join(texto(l) + b"\r\n" for l in lineas)


# ---------------------------------------------------------------------------
# A book package: a zip archive with the book's record (identifier in plain
# form), its documents' records, the whole tree and the document files; the
# comment is the book's folder.

ID_PAQUETE = 314159
CARPETA_PAQUETE = "Física y Química"

PAQUETE_LIBROS = registro_libro(
    0, ID_PAQUETE, "Física y Química 2º ESO", "Marta Ibáñez", "Ciencias",
    "Paquete de prueba", CARPETA_PAQUETE, False, True, False, True,
    identificador_en_claro=True)

PAQUETE_DOCS = (
    registro_documento(1, "Velocidad media", ID_PAQUETE, 500000001,
                       500000002, 0, tipo=1, respuesta="c", puntos=2.0,
                       creacion="03/03/2004", formato="DOC9") +
    registro_documento(3, "Nomenclatura de alcanos", ID_PAQUETE, 600000001,
                       600000002, 0, tipo=3, dificultad=4,
                       creacion="04/03/2004", formato="DOC9"))

PAQUETE_ARBOL = [
    utiles(),
    Nodo("Física y Química", "500000001", [Nodo("Cinemática", "500000002")]),
    Nodo("Química orgánica", "600000001", [Nodo("Alcanos", "600000002")]),
]

PAQUETE_ARCHIVOS = {
    "K000001.doc": b"Documento 1 del paquete: velocidad media\r\n",
    "K000003.doc": b"Documento 3 del paquete: alcanos\r\n",
}


def paquete(ruta):
    # Fixed dates so that the archive's bytes do not change between runs.
    fecha = (2004, 3, 4, 12, 0, 0)
    with zipfile.ZipFile(ruta, "w", zipfile.ZIP_DEFLATED) as z:
        entradas = [("Libros.lst", PAQUETE_LIBROS), ("Docs.lst", PAQUETE_DOCS),
                    ("Arbol.tvw", arbol(PAQUETE_ARBOL))]
        entradas += sorted(PAQUETE_ARCHIVOS.items())
        for nombre, datos in entradas:
            z.writestr(zipfile.ZipInfo(nombre, fecha), datos,
                       zipfile.ZIP_DEFLATED)
        # The comment as this program writes it: UTF-8.
        z.comment = CARPETA_PAQUETE.encode("utf-8")


def escribir(relativa, datos):
    ruta = os.path.join(CARPETA, relativa)
    os.makedirs(os.path.dirname(ruta), exist_ok=True)
    with open(ruta, "wb") as f:
        f.write(datos)


def main():
    escribir("biblioteca/Libros.lst",
             b"".join(registro_libro(*l) for l in LIBROS))
    escribir("biblioteca/Docs.lst", b"".join(DOCUMENTOS))
    escribir("biblioteca/Arbol.tvw", arbol(ARBOL))
    escribir("biblioteca/BRIVO_II.INI", ini(AJUSTES))
    escribir("biblioteca/BRIVO_II.esperado.INI", ini(AJUSTES_ESCRITOS))
    inicial = arbol(ARBOL_INICIAL)
    assert len(inicial) == 505
    escribir("arbol_inicial/Arbol0.tvw", inicial)
    os.makedirs(os.path.join(CARPETA, "paquete"), exist_ok=True)
    paquete(os.path.join(CARPETA, "paquete", "Fisica_y_Quimica.zip"))


if __name__ == "__main__":
    main()
