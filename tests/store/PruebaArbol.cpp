// The topic tree: node data, places, new identifiers and the tree file.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "Arbol.h"
#include "Ayudas.h"
#include "Errores.h"

using namespace brivo;
using namespace brivo::pruebas;

namespace {

// The initial tree, block by block, as the file format describes it.
QByteArray ArbolInicialEnBytes() {
    return Cuenta(2) + BloqueNodo("\xDAtiles", "1", 5) + BloqueNodo("Modelos de pregunta", "1", 0) +
           BloqueNodo("Modelos de examen", "2", 0) + BloqueNodo("Ex\xE1menes", "3", 0) +
           BloqueNodo("No asignados", "4", 0) + BloqueNodo("Todos", "5", 0) +
           BloqueNodo("Nueva materia", "2", 1) + BloqueNodo("Nuevo tema", "1", 1) +
           BloqueNodo("Nuevo contenido", "1", 0);
}

// "text(id)[children]" for the whole tree, to compare shapes.
QString Forma(const TArbol& a) {
    QString s;
    std::function<void(const TNodo&)> uno = [&](const TNodo& n) {
        s += n.Texto + '(' + n.Identificador + ")[";
        for (const auto& h : n.Hijos)
            uno(*h);
        s += ']';
    };
    for (const auto& r : a.Raices())
        uno(*r);
    return s;
}

QString MensajeDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorBrivo& e) {
        return e.Mensaje();
    }
    return QStringLiteral("(sin error)");
}

const QString FormaInicial = QStringLiteral(
    "Útiles(1)[Modelos de pregunta(1)[]Modelos de examen(2)[]Exámenes(3)[]No asignados(4)[]"
    "Todos(5)[]]Nueva materia(2)[Nuevo tema(1)[Nuevo contenido(1)[]]]");

} // namespace

TEST(ArbolArchivo, ElArbolInicialSon505BytesBloqueABloque) {
    TArbol a;
    EXPECT_EQ(Forma(a), FormaInicial);
    const QByteArray b = a.Serializar();
    EXPECT_EQ(b.size(), 505);
    EXPECT_EQ(b, ArbolInicialEnBytes());
}

TEST(ArbolArchivo, ElArbol0InstaladoCargaElArbolInicial) {
    const QString ruta = QStringLiteral(BRIVO_CARPETA_PROGRAMA) + "Arbol0.tvw";
    ASSERT_TRUE(QFileInfo::exists(ruta)) << ruta.toStdString();
    EXPECT_EQ(QFileInfo(ruta).size(), 505);
    TArbol a;
    a.Vaciar();
    a.Cargar(ruta);
    EXPECT_EQ(Forma(a), FormaInicial);
    EXPECT_EQ(a.Serializar(), Leer(ruta));
}

TEST(ArbolArchivo, CadaElementoVaYVuelve) {
    CarpetaPrueba c;
    TArbol a;
    a.Vaciar();
    TNodo* m = a.Anadir(nullptr, QStringLiteral("Óptica €"), QStringLiteral("123456789"));
    m->Imagen = 3;
    m->ImagenSeleccion = 4;
    m->ImagenEstado = 7;
    m->Superpuesta = -2;
    m->TipoCasilla = 2;
    m->Marcada = true;
    m->Atenuada = true;
    m->Datos = -99;
    m->Dato2 = QStringLiteral("extra");
    TNodo* t = a.Anadir(m, QStringLiteral("Tema"), QString()); // empty identifier
    a.Anadir(t, QString(300, QLatin1Char('x')), QStringLiteral("5"));
    a.Anadir(nullptr, QString(), QStringLiteral("2"));
    a.Guardar(c.Ruta("Arbol.tvw"));
    const QByteArray bytes = Leer(c.Ruta("Arbol.tvw"));
    // Empty identifier: A = 0 and no identifier bytes.
    const int inicioTema = 4 + 4 + 39 + 8 + 9 + 5;
    EXPECT_EQ(Entero(bytes, inicioTema), 39 + 4);
    EXPECT_EQ(Entero(bytes, inicioTema + 4 + 26), 0);

    TArbol b;
    b.Cargar(c.Ruta("Arbol.tvw"));
    ASSERT_EQ(b.Raices().size(), 2u);
    const TNodo* m2 = b.Raices()[0].get();
    EXPECT_EQ(m2->Texto, QStringLiteral("Óptica €"));
    EXPECT_EQ(m2->Identificador, QStringLiteral("123456789"));
    EXPECT_EQ(m2->Id(), 123456789);
    EXPECT_EQ(m2->Imagen, 3);
    EXPECT_EQ(m2->ImagenSeleccion, 4);
    EXPECT_EQ(m2->ImagenEstado, 7);
    EXPECT_EQ(m2->Superpuesta, -2);
    EXPECT_EQ(m2->TipoCasilla, 2);
    EXPECT_TRUE(m2->Marcada);
    EXPECT_TRUE(m2->Atenuada);
    EXPECT_EQ(m2->Datos, -99);
    EXPECT_EQ(m2->Dato2, QStringLiteral("extra"));
    const TNodo* t2 = m2->PrimerHijo();
    ASSERT_NE(t2, nullptr);
    EXPECT_TRUE(t2->Identificador.isEmpty());
    EXPECT_EQ(t2->Id(), -1);
    EXPECT_EQ(t2->PrimerHijo()->Texto, QString(255, QLatin1Char('x')));
    EXPECT_TRUE(b.Raices()[1]->Texto.isEmpty());
    EXPECT_EQ(b.Serializar(), bytes);
}

TEST(ArbolArchivo, ElArbolVacioSonCuatroBytesACero) {
    CarpetaPrueba c;
    TArbol a;
    a.Vaciar();
    a.Guardar(c.Ruta("vacio.tvw"));
    EXPECT_EQ(Leer(c.Ruta("vacio.tvw")), QByteArray(4, '\0'));
    TArbol b;
    b.Cargar(c.Ruta("vacio.tvw"));
    EXPECT_TRUE(b.Vacio());
    EXPECT_EQ(b.NumNodos(), 0);
}

TEST(ArbolArchivo, ArchivosYCarpetasQueFaltan) {
    CarpetaPrueba c;
    TArbol a;
    a.Raices()[0]->Texto = QStringLiteral("cambiado");
    const QString falta = c.Ruta("no.tvw");
    EXPECT_EQ(MensajeDe([&] { a.Cargar(falta); }),
              QStringLiteral("No se puede abrir el archivo %1").arg(falta));
    EXPECT_EQ(a.Raices()[0]->Texto, QStringLiteral("cambiado")); // tree unchanged
    EXPECT_EQ(a.NumNodos(), 9);
    const QString sinCarpeta = c.Ruta("Nada/Arbol.tvw");
    EXPECT_EQ(MensajeDe([&] { a.Guardar(sinCarpeta); }),
              QStringLiteral("No se puede crear el archivo %1").arg(sinCarpeta));
}

TEST(ArbolArchivo, UnArchivoQueAcabaDentroDeUnBloqueConservaLosNodosLeidos) {
    const QByteArray entero = ArbolInicialEnBytes();
    // Cut inside the sixth block ("Todos"): five complete nodes stay.
    const int corte =
        4 + (43 + 6 + 1) + (43 + 19 + 1) + (43 + 17 + 1) + (43 + 8 + 1) + (43 + 12 + 1) + 10;
    TArbol a;
    EXPECT_EQ(MensajeDe([&] { a.Deserializar(entero.left(corte)); }),
              QStringLiteral("Error de lectura"));
    EXPECT_EQ(a.NumNodos(), 5);
    EXPECT_EQ(a.Raices()[0]->Hijos.back()->Texto, QStringLiteral("No asignados"));

    // Every shorter prefix fails cleanly too.
    for (int n = 0; n < entero.size(); ++n) {
        TArbol b;
        EXPECT_EQ(MensajeDe([&] { b.Deserializar(entero.left(n)); }),
                  QStringLiteral("Error de lectura"))
            << n;
        EXPECT_LE(b.NumNodos(), 9);
    }
}

TEST(ArbolArchivo, LosBloquesDanadosSeInformanYNuncaSeLeeMasAllaDeLosDatos) {
    CarpetaPrueba c;
    const QString ruta = c.Ruta("Arbol.tvw");
    const QString danado = QStringLiteral("El archivo %1 está dañado").arg(ruta);
    auto cargar = [&](const QByteArray& datos, int& nodos) {
        Escribir(ruta, datos);
        TArbol a;
        const QString m = MensajeDe([&] { a.Cargar(ruta); });
        nodos = a.NumNodos();
        return m;
    };
    int nodos = 0;
    const QByteArray bueno = BloqueNodo("Bien", "2", 0);

    QByteArray corto = BloqueNodo("x", "3", 0);
    PonerEntero(corto, 0, 20); // information part shorter than its fixed fields
    EXPECT_EQ(cargar(Cuenta(2) + bueno + corto, nodos), danado);
    EXPECT_EQ(nodos, 1);

    QByteArray largo = BloqueNodo("x", "3", 0);
    PonerEntero(largo, 0, 100000);
    EXPECT_EQ(cargar(Cuenta(1) + largo + QByteArray(100000, 'a'), nodos), danado);

    QByteArray texto = BloqueNodo("abc", "3", 0);
    texto[4 + 38] = static_cast<char>(200); // text length beyond the information part
    EXPECT_EQ(cargar(Cuenta(1) + texto, nodos), danado);
    EXPECT_EQ(nodos, 0);

    QByteArray negativo = BloqueNodo("abc", "3", 0);
    PonerEntero(negativo, 4 + 26, -5);
    EXPECT_EQ(cargar(Cuenta(1) + negativo, nodos), danado);

    EXPECT_EQ(cargar(Cuenta(-1), nodos), danado);

    // Identifier or child count running past the end of the file.
    QByteArray idLargo = BloqueNodo("abc", "3", 0);
    PonerEntero(idLargo, 4 + 26, 1 << 30);
    EXPECT_EQ(cargar(Cuenta(1) + idLargo, nodos), QStringLiteral("Error de lectura"));
    EXPECT_EQ(cargar(Cuenta(1) + BloqueNodo("Padre", "2", 0x7FFFFFFF) + bueno, nodos),
              QStringLiteral("Error de lectura"));
    EXPECT_EQ(nodos, 2);
    EXPECT_EQ(cargar(Cuenta(0x7FFFFFFF) + bueno, nodos), QStringLiteral("Error de lectura"));
    EXPECT_EQ(nodos, 1);
}

TEST(ArbolArchivo, UnAnidamientoAbsurdoSeDetieneEnElNivelMasHondoPermitido) {
    QByteArray datos = Cuenta(1);
    for (int i = 0; i < 5000; ++i)
        datos += BloqueNodo("n", QByteArray::number(i + 1), 1);
    TArbol a;
    EXPECT_EQ(MensajeDe([&] { a.Deserializar(datos, QStringLiteral("x.tvw")); }),
              QStringLiteral("El archivo x.tvw está dañado"));
    EXPECT_EQ(a.NumNodos(), TArbol::MaxNivelArchivo + 1);

    // The deepest level allowed itself loads.
    QByteArray justo = Cuenta(1);
    for (int i = 0; i <= TArbol::MaxNivelArchivo; ++i)
        justo += BloqueNodo("n", "1", i < TArbol::MaxNivelArchivo ? 1 : 0);
    TArbol b;
    b.Deserializar(justo);
    EXPECT_EQ(b.NumNodos(), TArbol::MaxNivelArchivo + 1);
}

TEST(ArbolArchivo, MasNodosDeLosQueTieneUnArbolSonDano) {
    const QByteArray nodo = BloqueNodo("n", "7", 0);
    for (const int n : {TArbol::MaxNodosArchivo, TArbol::MaxNodosArchivo + 1}) {
        TArbol a;
        const QString m = MensajeDe(
            [&] { a.Deserializar(Cuenta(n) + nodo.repeated(n), QStringLiteral("x.tvw")); });
        EXPECT_EQ(m, n > TArbol::MaxNodosArchivo ? QStringLiteral("El archivo x.tvw está dañado")
                                                 : QStringLiteral("(sin error)"));
        EXPECT_EQ(a.NumNodos(), TArbol::MaxNodosArchivo);
    }
    // Counted over the whole tree, not per level.
    QByteArray datos = Cuenta(2);
    for (int r = 0; r < 2; ++r)
        datos += BloqueNodo("raíz", "1", TArbol::MaxNodosArchivo / 2) +
                 nodo.repeated(TArbol::MaxNodosArchivo / 2);
    TArbol b;
    EXPECT_EQ(MensajeDe([&] { b.Deserializar(datos, QStringLiteral("x.tvw")); }),
              QStringLiteral("El archivo x.tvw está dañado"));
}

TEST(ArbolArchivo, LosBytesTrasElUltimoBloqueSeIgnoran) {
    TArbol a;
    a.Deserializar(ArbolInicialEnBytes() + QByteArray("basura"));
    EXPECT_EQ(Forma(a), FormaInicial);
}

TEST(ArbolModelo, NivelesHermanosYRecorrido) {
    TArbol a;
    const auto& r = a.Raices();
    const TNodo* utiles = r[0].get();
    EXPECT_EQ(utiles->SiguienteHermano(), r[1].get());
    EXPECT_EQ(r[1]->SiguienteHermano(), nullptr);
    EXPECT_EQ(r[1]->Indice(), 1);
    const TNodo* contenido = r[1]->PrimerHijo()->PrimerHijo();
    EXPECT_EQ(contenido->Nivel(), 2);
    EXPECT_EQ(utiles->Hijos[2]->SiguienteHermano()->Texto, QStringLiteral("No asignados"));
    QStringList orden;
    a.Recorrer([&](TNodo* n) { orden << n->Texto; });
    EXPECT_EQ(orden.join('|'), QStringLiteral("Útiles|Modelos de pregunta|Modelos de examen|"
                                              "Exámenes|No asignados|Todos|Nueva materia|"
                                              "Nuevo tema|Nuevo contenido"));
    EXPECT_EQ(a.EnOrden().size(), 9u);

    TNodo* nuevo = a.Insertar(nullptr, 1, QStringLiteral("En medio"), QStringLiteral("7"));
    EXPECT_EQ(nuevo->Indice(), 1);
    EXPECT_EQ(utiles->SiguienteHermano(), nuevo);
    a.Borrar(r[2].get()); // "Nueva materia" with its descendants
    EXPECT_EQ(a.NumNodos(), 7);
}

TEST(ArbolModelo, NodosEspeciales) {
    TArbol a;
    const TNodo* utiles = a.Raices()[0].get();
    EXPECT_TRUE(TArbol::EsUtiles(utiles));
    EXPECT_TRUE(TArbol::EsHijoDeUtiles(utiles->Hijos[4].get()));
    const TNodo* tema = a.Raices()[1]->PrimerHijo();
    EXPECT_FALSE(TArbol::EsProtegido(a.Raices()[1].get()));
    // "Nuevo tema" has identifier 1 too, but it is no top-level node.
    EXPECT_FALSE(TArbol::EsUtiles(tema));
    EXPECT_FALSE(TArbol::EsHijoDeUtiles(tema->PrimerHijo()));
}

TEST(ArbolModelo, LugaresDeNodosYNombresDeLugares) {
    TArbol a;
    TNodo* materia = a.Raices()[1].get();
    TNodo* tema = materia->PrimerHijo();
    TNodo* contenido = tema->PrimerHijo();
    TNodo* hondo = a.Anadir(contenido, QStringLiteral("Hondo"), QStringLiteral("9"));
    EXPECT_EQ(a.LugarDeNodo(materia), (TLugar{2, 0, 0}));
    EXPECT_EQ(a.LugarDeNodo(tema), (TLugar{2, 1, 0}));
    EXPECT_EQ(a.LugarDeNodo(contenido), (TLugar{2, 1, 1}));
    EXPECT_EQ(a.LugarDeNodo(hondo), (TLugar{0, 0, 0}));
    EXPECT_EQ(a.LugarDeNodo(a.Raices()[0]->Hijos[4].get()), (TLugar{1, 5, 0}));
    tema->Texto = QStringLiteral("Renombrado");
    EXPECT_EQ(a.LugarDeNodo(contenido), (TLugar{2, 1, 1}));

    QString m, t, c;
    a.NombresDeLugar({2, 1, 1}, m, t, c);
    EXPECT_EQ(m + '|' + t + '|' + c, QStringLiteral("Nueva materia|Renombrado|Nuevo contenido"));
    a.NombresDeLugar({1, 3, 0}, m, t, c);
    EXPECT_EQ(m + '|' + t + '|' + c, QStringLiteral("Útiles|Exámenes|"));
    a.NombresDeLugar({2, 0, 1}, m, t, c); // a number <= 0 ends the search
    EXPECT_EQ(m + '|' + t + '|' + c, QStringLiteral("Nueva materia||"));
    a.NombresDeLugar({2, 8, 1}, m, t, c);
    EXPECT_EQ(m + '|' + t + '|' + c, QStringLiteral("Nueva materia||"));
    a.NombresDeLugar({77, 1, 1}, m, t, c);
    EXPECT_EQ(m + '|' + t + '|' + c, QStringLiteral("||"));
    a.NombresDeLugar({-1, 1, 1}, m, t, c);
    EXPECT_EQ(m + '|' + t + '|' + c, QStringLiteral("||"));

    EXPECT_EQ(a.NodoDeLugar({2, 1, 1}), contenido);
    EXPECT_EQ(a.NodoDeLugar({2, 1, 0}), tema);
    EXPECT_EQ(a.NodoDeLugar({1, 0, 0}), a.Raices()[0].get());
    EXPECT_EQ(a.NodoDeLugar({2, 1, 2}), nullptr);
    EXPECT_EQ(a.NodoDeLugar({0, 0, 0}), nullptr);
}

TEST(ArbolModelo, LosIdentificadoresNuevosTienenNueveCifrasYSonUnicos) {
    TArbol a;
    std::set<QString> vistos;
    for (int i = 0; i < 2000; ++i) {
        const QString id = a.NuevoIdNodo();
        ASSERT_EQ(id.size(), 9);
        const qint64 v = id.toLongLong();
        ASSERT_GE(v, 100000000);
        ASSERT_LE(v, 998999999);
        ASSERT_FALSE(a.ExisteIdentificador(id));
        vistos.insert(id);
        a.Anadir(a.Raices()[1].get(), QStringLiteral("n"), id);
    }
    EXPECT_EQ(vistos.size(), 2000u);
    EXPECT_TRUE(a.ExisteIdentificador(*vistos.begin()));
}
