<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>ColorKey</name>
    <message>
        <source>Light blue</source>
        <translation>Hellblau</translation>
    </message>
    <message>
        <source>Light green</source>
        <translation>Hellgruen</translation>
    </message>
    <message>
        <source>Light cyan</source>
        <translation>Helltuerkis</translation>
    </message>
    <message>
        <source>Light red</source>
        <translation>Hellrot</translation>
    </message>
    <message>
        <source>Light magenta</source>
        <translation>Hellmagenta</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>NW-SE diagonals:</source>
        <translation>NW-SO-Diagonalen:</translation>
    </message>
    <message>
        <source>SW-NE diagonals:</source>
        <translation>SW-NO-Diagonalen:</translation>
    </message>
    <message>
        <source>Rings:</source>
        <translation>Ringe:</translation>
    </message>
    <message>
        <source>Numbers:</source>
        <translation>Zahlen:</translation>
    </message>
    <message>
        <source>%1: the %2 diagonals where %3 = %4
(x columns east, y rows south of the centre)</source>
        <translation>%1: die %2-Diagonalen mit %3 = %4
(x Spalten oestlich, y Zeilen suedlich der Mitte)</translation>
    </message>
    <message>
        <source>NW-SE</source>
        <translation>NW-SO</translation>
    </message>
    <message>
        <source>SW-NE</source>
        <translation>SW-NO</translation>
    </message>
    <message>
        <source>%1: rings %2 (the centre is ring 1)</source>
        <translation>%1: die Ringe %2 (die Mitte ist Ring 1)</translation>
    </message>
    <message>
        <source>%1: the numbers %2 (remainder %3 when divided by 5)</source>
        <translation>%1: die Zahlen %2 (Rest %3 bei Division durch 5)</translation>
    </message>
    <message>
        <source>Cluster: a marked number takes the colour of a marked diagonal
neighbour, or of a marked cell two steps away in a straight line.
Without either it starts a new cluster in the colour of its ring;
a prime right after a prime (a twin, 2 apart) carries on its cluster.</source>
        <translation>Gruppe: Eine markierte Zahl uebernimmt die Farbe eines markierten
diagonalen Nachbarn oder einer markierten Zelle zwei Schritte
entfernt in gerader Linie. Ohne solche beginnt sie eine neue Gruppe
in der Farbe ihres Rings; eine Primzahl direkt nach einer
Primzahl (Abstand 2) setzt deren Gruppe fort.</translation>
    </message>
    <message>
        <source>Each diagonal has one colour, six colours in turn.
The key under the picture tells which is which.</source>
        <translation>Jede Diagonale hat eine Farbe; sechs Farben wechseln sich
ab. Der Farbschluessel unter dem Bild sagt, welche.</translation>
    </message>
    <message>
        <source>Each ring around the centre has one colour, six colours
in turn. The key under the picture tells which is which.</source>
        <translation>Jeder Ring um die Mitte hat eine Farbe; sechs Farben
wechseln sich ab. Der Farbschluessel unter dem Bild sagt, welche.</translation>
    </message>
    <message>
        <source>The colour follows the number: five colours in turn, 1, 2, 3, …
The key under the picture tells which is which.</source>
        <translation>Die Farbe folgt der Zahl: fuenf Farben im Wechsel, 1, 2, 3, …
Der Farbschluessel unter dem Bild sagt, welche.</translation>
    </message>
    <message>
        <source>Ostrand color: primes by their remainder when divided by 12:
  remainder 5 (and 2) light red, 7 (and 3) light green,
  11 light blue, 1 black.
Other numbers by how many different primes divide them:
  1 light red, 2 light green, 3 yellow, 4 light blue, 5 light magenta,
  6 light cyan, 7 white; none (0 and 1) black.
Black cells get a white outline where they are large enough.</source>
        <translation>Ostrandfarbe: Primzahlen nach ihrem Rest bei Division durch 12:
  Rest 5 (und die 2) hellrot, Rest 7 (und die 3) hellgruen,
  Rest 11 hellblau, Rest 1 schwarz.
Andere Zahlen nach der Anzahl ihrer verschiedenen Primteiler:
  1 hellrot, 2 hellgruen, 3 gelb, 4 hellblau, 5 hellmagenta,
  6 helltuerkis, 7 weiss; keiner (0 und 1) schwarz.
Schwarze Zellen erhalten einen weissen Rand, wo sie gross genug sind.</translation>
    </message>
    <message>
        <source>None (white): every marked number is white.</source>
        <translation>Keine (Weiss): Jede markierte Zahl ist weiss.</translation>
    </message>
</context>
<context>
    <name>Explorer</name>
    <message>
        <source>NE</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>NW</source>
        <translation>NW</translation>
    </message>
    <message>
        <source>SW</source>
        <translation>SW</translation>
    </message>
    <message>
        <source>SE</source>
        <translation>SO</translation>
    </message>
    <message>
        <source>: prime</source>
        <translation>: Primzahl</translation>
    </message>
    <message>
        <source>     ring %1</source>
        <translation>     Ring %1</translation>
    </message>
    <message>
        <source> is prime</source>
        <translation> ist eine Primzahl</translation>
    </message>
    <message>
        <source>0 is divisible by every prime</source>
        <translation>0 ist durch jede Primzahl teilbar</translation>
    </message>
    <message>
        <source>1 has no prime factors</source>
        <translation>1 hat keine Primteiler</translation>
    </message>
    <message>
        <source>x = %1, y = %2, ring %3</source>
        <translation>x = %1, y = %2, Ring %3</translation>
    </message>
    <message>
        <source>&lt;p&gt;Rays from the cell outwards, %1 terms f(0) … f(%2) each:&lt;/p&gt;</source>
        <translation>&lt;p&gt;Strahlen von der Zelle nach aussen, je %1 Glieder f(0) … f(%2):&lt;/p&gt;</translation>
    </message>
    <message>
        <source>discriminant %1</source>
        <translation>Diskriminante %1</translation>
    </message>
    <message>
        <source>primes %1, expected %2, %3&lt;br&gt;</source>
        <translation>Primzahlen %1, erwartet %2, %3&lt;br&gt;</translation>
    </message>
    <message>
        <source>ratio %1</source>
        <translation>Verhaeltnis %1</translation>
    </message>
    <message>
        <source>longest run of primes %1&lt;/p&gt;</source>
        <translation>laengste Folge von Primzahlen %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Point at a cell of the spiral: its number and the rays through it show here, each with its quadratic polynomial, its Bateman–Horn constant, and how many primes it holds against how many number theory expects.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Zeigen Sie auf eine Zelle der Spirale: Hier stehen dann ihre Zahl und die Strahlen durch sie, jeder mit seinem quadratischen Polynom, der Bateman-Horn-Konstante und wie viele Primzahlen er enthaelt, gegenueber wie vielen zu erwarten sind.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Inspector</source>
        <translation>Inspektor</translation>
    </message>
    <message>
        <source>&amp;Inspector</source>
        <translation>&amp;Inspektor</translation>
    </message>
    <message>
        <source>Outline the longest runs in the picture</source>
        <translation>Laengste Folgen im Bild umranden</translation>
    </message>
    <message>
        <source>Shows or hides the inspector: the number under the pointer and the rays through its cell</source>
        <translation>Zeigt oder verbirgt den Inspektor: die Zahl unter dem Zeiger und die Strahlen durch ihre Zelle</translation>
    </message>
    <message>
        <source>Outlines the longest diagonal runs, NW-SE and SW-NE, in the picture</source>
        <translation>Umrandet im Bild die längsten diagonalen Folgen, NW-SO und SW-NO</translation>
    </message>
    <message>
        <source>The discriminant b² − 4ac of the ray&apos;s quadratic f(i) = ai² + bi + c; where it is a square, f factors and the ray holds hardly any primes</source>
        <translation>Die Diskriminante b² − 4ac des quadratischen Polynoms f(i) = ai² + bi + c des Strahls; ist sie eine Quadratzahl, zerfällt f, und der Strahl hält kaum Primzahlen</translation>
    </message>
    <message>
        <source>The Bateman–Horn constant of the ray&apos;s quadratic: how many times as often as other numbers of their size its values should be prime</source>
        <translation>Die Bateman-Horn-Konstante des quadratischen Polynoms des Strahls: wie viel häufiger als andere Zahlen ihrer Größe seine Werte prim sein sollten</translation>
    </message>
    <message>
        <source>Primes found over primes expected: above 1 more, below 1 fewer than the Bateman–Horn conjecture predicts</source>
        <translation>Gefundene Primzahlen geteilt durch erwartete: über 1 mehr, unter 1 weniger, als die Bateman-Horn-Vermutung vorhersagt</translation>
    </message>
    <message>
        <source>fdisc %1</source>
        <translation>Fundamentaldiskr. %1</translation>
    </message>
    <message>
        <source>h = %1</source>
        <translation>h = %1</translation>
    </message>
    <message>
        <source>C(f) = 0: f is a constant times a square</source>
        <translation>C(f) = 0: f ist eine Konstante mal ein Quadrat</translation>
    </message>
    <message>
        <source>C(f) = 0: f splits into two linear factors</source>
        <translation>C(f) = 0: f zerfällt in zwei Linearfaktoren</translation>
    </message>
    <message>
        <source>C(f) = 0: every value is divisible by %1</source>
        <translation>C(f) = 0: jeder Wert ist durch %1 teilbar</translation>
    </message>
    <message>
        <source>count within %1 σ of the expectation</source>
        <translation>Anzahl innerhalb von %1 σ um die Erwartung</translation>
    </message>
    <message>
        <source>count more than 3 σ above the expectation</source>
        <translation>Anzahl mehr als 3 σ über der Erwartung</translation>
    </message>
    <message>
        <source>count more than 3 σ below the expectation</source>
        <translation>Anzahl mehr als 3 σ unter der Erwartung</translation>
    </message>
    <message>
        <source>The fundamental discriminant D: the discriminant with its square factors taken out (b² − 4ac = D m²), the discriminant of the quadratic field that the roots of f generate. Its character χ_D(p) tells how many roots f has modulo most primes p</source>
        <translation>Die Fundamentaldiskriminante D: die Diskriminante ohne ihre quadratischen Faktoren (b² − 4ac = D m²), die Diskriminante des quadratischen Zahlkörpers, den die Nullstellen von f erzeugen. Ihr Charakter χ_D(p) sagt, wie viele Nullstellen f modulo den meisten Primzahlen p hat</translation>
    </message>
    <message>
        <source>The class number h of D: how many classes of forms ax² + bxy + cy² of discriminant D there are. C(f) grows as L(1, χ_D) = π h / √|D| shrinks: a small h makes a ray rich in primes</source>
        <translation>Die Klassenzahl h von D: wie viele Klassen von Formen ax² + bxy + cy² der Diskriminante D es gibt. C(f) wächst, wenn L(1, χ_D) = π h / √|D| kleiner wird: ein kleines h macht einen Strahl reich an Primzahlen</translation>
    </message>
    <message>
        <source>How far the count lies from the expected one, in units of σ = √expected, z = (primes − expected) / σ: within 2 σ is usual, beyond 3 σ rare if the conjecture holds</source>
        <translation>Wie weit die Anzahl von der erwarteten abweicht, in Einheiten von σ = √erwartet, z = (Primzahlen − erwartet) / σ: innerhalb von 2 σ ist üblich, jenseits von 3 σ selten, wenn die Vermutung stimmt</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>Export Picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>Picture:</source>
        <translation>Bild:</translation>
    </message>
    <message>
        <source>Side (pixels):</source>
        <translation>Seitenlaenge (Pixel):</translation>
    </message>
    <message>
        <source>Density map: one pixel for a block of cells</source>
        <translation>Dichtekarte: ein Pixel je Block von Zellen</translation>
    </message>
    <message>
        <source>Block (cells a side):</source>
        <translation>Block (Zellen je Seite):</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Drawing and saving the picture …</source>
        <translation>Das Bild wird gezeichnet und gespeichert …</translation>
    </message>
    <message>
        <source>Please choose the file to save the picture in.</source>
        <translation>Bitte waehlen Sie eine Datei, in die das Bild gespeichert wird.</translation>
    </message>
    <message>
        <source>Numerals fit only pictures of up to 8192 pixels a side.</source>
        <translation>Ziffern passen nur in Bilder bis 8192 Pixel Seitenlaenge.</translation>
    </message>
    <message>
        <source>A picture is being exported already. Please wait until it is done, or cancel it.</source>
        <translation>Es wird bereits ein Bild exportiert. Bitte warten Sie, bis es fertig ist, oder brechen Sie es ab.</translation>
    </message>
    <message>
        <source>The following file exists already. Do you want to replace it?</source>
        <translation>Die folgende Datei gibt es schon. Soll sie ersetzt werden?</translation>
    </message>
    <message>
        <source>Export picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>The picture has been saved in the PNG file</source>
        <translation>Das Bild ist in der folgenden PNG-Datei gespeichert worden:</translation>
    </message>
    <message>
        <source>Save error.  The picture could not be saved in the file</source>
        <translation>Fehler!  Das Bild konnte nicht in der folgenden Datei gespeichert werden:</translation>
    </message>
    <message>
        <source>The picture&apos;s side in pixels: at the window&apos;s cell size, a larger picture shows more of the spiral</source>
        <translation>Die Seitenlänge des Bildes in Pixeln: Bei der Zellgröße des Fensters zeigt ein größeres Bild mehr von der Spirale</translation>
    </message>
    <message>
        <source>Each pixel shows which share of the numbers of a block is marked: the brighter, the more</source>
        <translation>Jedes Pixel zeigt, welcher Anteil der Zahlen eines Blocks markiert ist: je heller, desto mehr</translation>
    </message>
    <message>
        <source>How many cells a side one pixel of the density map stands for</source>
        <translation>Wie viele Zellen je Seite ein Pixel der Dichtekarte zusammenfasst</translation>
    </message>
    <message>
        <source>The PNG file to write; a name without a folder goes into your home folder</source>
        <translation>Die PNG-Datei, die geschrieben wird; ein Name ohne Ordner kommt in Ihren Home-Ordner</translation>
    </message>
    <message>
        <source>Choose the file in a file dialog</source>
        <translation>Die Datei in einem Dateidialog wählen</translation>
    </message>
    <message>
        <source>Checks the settings and draws the picture while the window goes on</source>
        <translation>Prüft die Einstellungen und zeichnet das Bild, während das Fenster weiter bedienbar bleibt</translation>
    </message>
    <message>
        <source>Closes the dialog without exporting</source>
        <translation>Schließt den Dialog, ohne zu exportieren</translation>
    </message>
    <message>
        <source>start %1</source>
        <translation>Anfangszahl %1</translation>
    </message>
    <message>
        <source>box size %1</source>
        <translation>Groesse %1</translation>
    </message>
    <message>
        <source>%1 numbers, %2 of memory</source>
        <translation>%1 Zahlen, %2 Arbeitsspeicher</translation>
    </message>
    <message>
        <source>%1 × %1 pixels in %2 s</source>
        <translation>%1 × %1 Pixel in %2 s</translation>
    </message>
    <message>
        <source>This name belongs to a pipe, a device or a socket, not to an ordinary file. Pictures are saved only in ordinary files: please choose another name.</source>
        <translation>Dieser Name gehört zu einer Pipe, einem Gerät oder einem Socket, nicht zu einer gewöhnlichen Datei. Bilder werden nur in gewöhnlichen Dateien gespeichert: Bitte wählen Sie einen anderen Namen.</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Starting with a number (1 or higher) the numbers are arranged in a spiral as in the image at right. The prime numbers are marked (here with blue boxes).  The primes tend to fall in straight lines on the diagonals.  Instead of primes, random numbers, all numbers, or only square numbers, can be shown.  Spiralling in or out produces a moving spiral.  For a full explanation of this program please see %1 (you can select this text and paste it into your browser).

The primes can be colored in various ways.  In some color schemes the colors repeat after five or six colors (in which case they are shown at the bottom in order).  The color schemes are mostly self-explanatory, except that:
(i) Ring number is the number of the ring in which the prime occurs, where the central number (here 1) is ring 1, the next 8 numbers (here 2 to 9) form ring 2, and so on.
(ii) Sequence colors show the position of the number in the number sequence, so every 5th number has the same color.
(iii) Ostrand color is the color of the number as explained at %2.</source>
        <translation>Die Zahlen sind, beginnend mit der Zahl 1 (oder groesser), in einer Spirale angeordnet, wie im Bild rechts angezeigt.  Die Primzahlen sind markiert (in diesem Fall mit Kaestchen).  Die Primzahlen haben die Tendenz auf gerade Linien (diagonal) zu fallen.  Anstelle von Primzahlen koennen Zufallszahlen, alle Zahlen oder nur die Quadratzahlen angezeigt werden.  Indem sie auswaerts oder einwaerts wandern, formen sie eine sich bewegende Spirale.  Eine ausfuehrliche Erlaeuterung dieses Programms erhalten Sie unter der Webadresse %1 (Sie koennen diesen Text auswaehlen und in das Adressfenster Ihres Browsers kopieren).

Die Primzahlen koennen in unterschiedlicher Weise gefaerbt werden.  In einigen Farbmustern wiederholen sich die Farben nach fuenf oder sechs Farben (in diesem Fall werden sie unten in der Reihenfolge angezeigt).  Die Farbmuster erklaeren sich in der Regel selbst, mit einer Ausnahme:
(i) Die Ringzahl bezeichnet die Nummer des Rings, in den die Primzahl hineinfaellt, wobei die zentrale Zahl (hier die 1) den Ring mit der Nummer 1 bezeichnet, die naechsten 8 Zahlen (hier 2-9) bilden den Ring 2, und so weiter.
(ii) Die Reihenfolge der Farben zeigt die Position der Zahl in der Folge der Zahlen an, so hat jede 5.Zahl dieselbe Farbe.
(iii) Jeder Zahl ist eine eindeutig definierte Ostrandfarbe zugeordnet; das Ostrand-Farbschema wird erklaert unter der Adresse %2.</translation>
    </message>
</context>
<context>
    <name>LargeView</name>
    <message>
        <source>     ring %1</source>
        <translation>     Ring %1</translation>
    </message>
    <message>
        <source>Enter a number from %1.</source>
        <translation>Geben Sie eine Zahl von %1 ein.</translation>
    </message>
    <message>
        <source>Enter a start number from %1.</source>
        <translation>Geben Sie eine Anfangszahl von %1 ein.</translation>
    </message>
    <message>
        <source>“%1” is not a whole number. Use the digits 0–9 only, from %2.</source>
        <translation>„%1“ ist keine ganze Zahl. Erlaubt sind nur die Ziffern 0–9, von %2.</translation>
    </message>
    <message>
        <source>%1 is not in this spiral: it holds %2.</source>
        <translation>%1 liegt nicht in dieser Spirale: Sie reicht von %2.</translation>
    </message>
    <message>
        <source>%1 is too large for a start number: use %2.</source>
        <translation>%1 ist als Anfangszahl zu groß: erlaubt ist %2.</translation>
    </message>
    <message>
        <source>Quorvel – Large View</source>
        <translation>Quorvel – Große Ansicht</translation>
    </message>
    <message>
        <source>&amp;Large View</source>
        <translation>&amp;Große Ansicht</translation>
    </message>
    <message>
        <source>&amp;Start number:</source>
        <translation>A&amp;nfangszahl:</translation>
    </message>
    <message>
        <source>&amp;Go to:</source>
        <translation>&amp;Gehe zu:</translation>
    </message>
    <message>
        <source>The number at the centre of the spiral, 0 … 10^18; Enter applies it</source>
        <translation>Die Zahl in der Mitte der Spirale, 0 … 10^18; Eingabetaste übernimmt sie</translation>
    </message>
    <message>
        <source>A number of the spiral, up to 2^63 − 1 = 9223372036854775807, the largest a cell holds: Enter centres the view on its cell</source>
        <translation>Eine Zahl der Spirale, bis 2^63 − 1 = 9223372036854775807, die größte, die eine Zelle hält: Eingabetaste stellt ihre Zelle in die Mitte</translation>
    </message>
    <message>
        <source>cell size %1</source>
        <translation>Zellgröße %1</translation>
    </message>
    <message>
        <source>beyond 2^63 − 1</source>
        <translation>jenseits von 2^63 − 1</translation>
    </message>
    <message>
        <source>drawing …</source>
        <translation>wird gezeichnet …</translation>
    </message>
    <message>
        <source>Sh&amp;ow:</source>
        <translation>&amp;Anzeigen:</translation>
    </message>
    <message>
        <source>&amp;Color by:</source>
        <translation>&amp;Färben nach:</translation>
    </message>
    <message>
        <source>Cluster colours grow from the centre outwards, each cell taking its neighbours&apos; colour: they can be shown only within %1 rings of the centre and for numbers up to %2.</source>
        <translation>Gruppenfarben wachsen von der Mitte nach außen, jede Zelle übernimmt die Farbe ihrer Nachbarn: Sie lassen sich nur innerhalb von %1 Ringen um die Mitte und für Zahlen bis %2 zeigen.</translation>
    </message>
    <message>
        <source>Random numbers are drawn one after another from the centre outwards: they can be shown only within %1 rings of the centre and for numbers up to %2.</source>
        <translation>Zufallszahlen werden von der Mitte aus eine nach der anderen gezogen: Sie lassen sich nur innerhalb von %1 Ringen um die Mitte und für Zahlen bis %2 zeigen.</translation>
    </message>
    <message>
        <source>every number here begins %1…</source>
        <translation>jede Zahl hier beginnt mit %1…</translation>
    </message>
    <message>
        <source>A window of any size over the spiral of any start number up to 10^18</source>
        <translation>Ein Fenster beliebiger Größe über der Spirale jeder Anfangszahl bis 10^18</translation>
    </message>
    <message>
        <source>Which numbers are marked; what cannot be drawn here is greyed</source>
        <translation>Welche Zahlen markiert werden; was sich hier nicht zeichnen lässt, ist ausgegraut</translation>
    </message>
    <message>
        <source>How the marked numbers are coloured; what cannot be drawn here is greyed</source>
        <translation>Wie die markierten Zahlen gefärbt werden; was sich hier nicht zeichnen lässt, ist ausgegraut</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Click here for the online user manual at %1.</source>
        <translation>Hier klicken für das Benutzerhandbuch unter %1.</translation>
    </message>
    <message>
        <source>Click here for the Tarnwick website at %1.</source>
        <translation>Hier klicken für die Website von Tarnwick unter %1.</translation>
    </message>
    <message>
        <source>P: the central number is prime</source>
        <translation>P: Die Zentrumszahl ist eine Primzahl.</translation>
    </message>
    <message>
        <source>The number at the centre of the spiral; Enter draws it</source>
        <translation>Die Zahl in der Mitte der Spirale; die Eingabetaste zeichnet sie</translation>
    </message>
    <message>
        <source>One up or down from the start number, drawn at once</source>
        <translation>Die Anfangszahl um eins höher oder niedriger, sofort gezeichnet</translation>
    </message>
    <message>
        <source>Draws the spiral again with these settings</source>
        <translation>Zeichnet die Spirale mit diesen Einstellungen neu</translation>
    </message>
    <message>
        <source>Stops the drawing</source>
        <translation>Bricht das Zeichnen ab</translation>
    </message>
    <message>
        <source>How many pictures the moving spiral shows a second</source>
        <translation>Wie viele Bilder die bewegte Spirale je Sekunde zeigt</translation>
    </message>
    <message>
        <source>Each marked number as a circle</source>
        <translation>Jede markierte Zahl als Kreis</translation>
    </message>
    <message>
        <source>Each marked number as a square; neighbours touch</source>
        <translation>Jede markierte Zahl als Quadrat; Nachbarn berühren sich</translation>
    </message>
    <message>
        <source>The side of one cell in pixels: smaller cells show more numbers</source>
        <translation>Die Seitenlänge einer Zelle in Pixeln: Kleinere Zellen zeigen mehr Zahlen</translation>
    </message>
    <message>
        <source>Which numbers are marked</source>
        <translation>Welche Zahlen markiert werden</translation>
    </message>
    <message>
        <source>Faint dots in the unmarked cells and marks at the rings&apos; corners, from cell size 15</source>
        <translation>Schwache Punkte in den unmarkierten Zellen und Marken an den Ecken der Ringe, ab Zellgröße 15</translation>
    </message>
    <message>
        <source>Writes each marked cell&apos;s number into it, from cell size 15</source>
        <translation>Schreibt in jede markierte Zelle ihre Zahl, ab Zellgröße 15</translation>
    </message>
    <message>
        <source>The arrows and the moving spiral jump from prime to prime</source>
        <translation>Die Pfeile und die bewegte Spirale springen von Primzahl zu Primzahl</translation>
    </message>
    <message>
        <source>Measures the longest diagonal runs of marked cells with every picture</source>
        <translation>Misst bei jedem Bild die längsten diagonalen Folgen markierter Zellen</translation>
    </message>
    <message>
        <source>Raises the start number picture by picture: the pattern flows inwards</source>
        <translation>Erhöht die Anfangszahl Bild für Bild: Das Muster fließt nach innen</translation>
    </message>
    <message>
        <source>Lowers the start number picture by picture: the pattern flows outwards</source>
        <translation>Senkt die Anfangszahl Bild für Bild: Das Muster fließt nach außen</translation>
    </message>
    <message>
        <source>Ends the moving spiral</source>
        <translation>Beendet die bewegte Spirale</translation>
    </message>
    <message>
        <source>Holds the moving spiral still</source>
        <translation>Hält die bewegte Spirale an</translation>
    </message>
    <message>
        <source>Lets the paused spiral move on</source>
        <translation>Lässt die angehaltene Spirale weiterlaufen</translation>
    </message>
    <message>
        <source>The language of the window and of the manual</source>
        <translation>Die Sprache des Fensters und des Handbuchs</translation>
    </message>
    <message>
        <source>A short explanation beside a small example spiral (F1)</source>
        <translation>Eine kurze Erklärung mit einer kleinen Beispielspirale (F1)</translation>
    </message>
    <message>
        <source>Keeps the settings for the next start and ends the program (Ctrl+Q)</source>
        <translation>Merkt sich die Einstellungen und beendet das Programm (Strg+Q)</translation>
    </message>
    <message>
        <source>Saves the picture as it is on screen in a PNG file</source>
        <translation>Speichert das Bild, wie es zu sehen ist, als PNG-Datei</translation>
    </message>
    <message>
        <source>Copies the picture as it is on screen to the clipboard</source>
        <translation>Kopiert das Bild, wie es zu sehen ist, in die Zwischenablage</translation>
    </message>
    <message>
        <source>Draws the picture at any size, or as a density map, into a PNG file</source>
        <translation>Zeichnet das Bild in beliebiger Größe oder als Dichtekarte in eine PNG-Datei</translation>
    </message>
    <message>
        <source>Keeps the settings for the next start and ends the program</source>
        <translation>Merkt sich die Einstellungen und beendet das Programm</translation>
    </message>
    <message>
        <source>A short explanation beside a small example spiral</source>
        <translation>Eine kurze Erklärung mit einer kleinen Beispielspirale</translation>
    </message>
    <message>
        <source>Opens the user manual</source>
        <translation>Öffnet das Benutzerhandbuch</translation>
    </message>
    <message>
        <source>Version, copyright and licence of Quorvel</source>
        <translation>Version, Copyright und Lizenz von Quorvel</translation>
    </message>
    <message>
        <source>Version and licence of the Qt toolkit Quorvel is built with</source>
        <translation>Version und Lizenz des Qt-Toolkits, mit dem Quorvel gebaut ist</translation>
    </message>
    <message>
        <source>Start number must be &lt;= 2^31 - 2 = 2147483646.</source>
        <translation>Die Startzahl muss kleiner als 2^31 - 2 = 2147483646 sein.</translation>
    </message>
    <message>
        <source>End number would be greater than 2^31 - 2 = 2147483646.</source>
        <translation>Die Endzahl würde 2^31 - 2 = 2147483646 übersteigen.</translation>
    </message>
    <message>
        <source>For triangular numbers the start number is too large.</source>
        <translation>Bei Dreieckzahlen ist die Startzahl zu gross.</translation>
    </message>
    <message>
        <source>Do you wish to save this image?</source>
        <translation>Moechten Sie dieses Bild speichern?</translation>
    </message>
    <message>
        <source>Save image?</source>
        <translation>Bild speichern?</translation>
    </message>
    <message>
        <source>Save image as</source>
        <translation>Bild speichern als</translation>
    </message>
    <message>
        <source>PNG graphics file (*.png)</source>
        <translation>PNG-Grafikdatei (*.png)</translation>
    </message>
    <message>
        <source>Save image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>The image has been saved in the PNG file</source>
        <translation>Das Bild ist im folgende PNG-Datei gespeichert worden:</translation>
    </message>
    <message>
        <source>Save error.  The image has been saved instead in the BMP file</source>
        <translation>Fehler!  Das Image ist stattdessen in der folgende BMP-Datei gespeichert:</translation>
    </message>
    <message>
        <source>Save error.  The image could not be saved in the file</source>
        <translation>Fehler!  Das Bild konnte nicht in der folgenden Datei gespeichert werden:</translation>
    </message>
    <message>
        <source>About Quorvel</source>
        <translation>Ueber Quorvel</translation>
    </message>
    <message>
        <source>%1

Explore the Ulam number spiral.

Copyright © 2026 Tarnwick
Licensed under the GNU General Public License, version 3 or later
(GPL-3.0-or-later). Quorvel comes with absolutely no warranty.</source>
        <translation>%1

Die Ulam-Zahlenspirale erkunden.

Copyright © 2026 Tarnwick
Lizenz: GNU General Public License, Version 3 oder spaeter
(GPL-3.0-or-later). Quorvel wird ohne jede Gewaehrleistung
bereitgestellt.</translation>
    </message>
    <message>
        <source>&amp;Find Number…</source>
        <translation>Zahl &amp;finden…</translation>
    </message>
    <message>
        <source>Marks the cell of a number in the picture with the cell cursor; the arrow keys move it on</source>
        <translation>Markiert die Zelle einer Zahl im Bild mit dem Zellcursor; die Pfeiltasten bewegen ihn weiter</translation>
    </message>
    <message>
        <source>Find number</source>
        <translation>Zahl finden</translation>
    </message>
    <message>
        <source>&amp;Number to find:</source>
        <translation>Gesuchte &amp;Zahl:</translation>
    </message>
    <message>
        <source>A whole number from 0 to %1; the cell cursor goes to its cell in the picture</source>
        <translation>Eine ganze Zahl von 0 bis %1; der Zellcursor geht zu ihrer Zelle im Bild</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Finden</translation>
    </message>
    <message>
        <source>Marks the number&apos;s cell in the picture with the cell cursor</source>
        <translation>Markiert die Zelle der Zahl im Bild mit dem Zellcursor</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Closes this window without looking for a number</source>
        <translation>Schließt dieses Fenster, ohne eine Zahl zu suchen</translation>
    </message>
    <message>
        <source>Type a whole number from 0 to %1.</source>
        <translation>Geben Sie eine ganze Zahl von 0 bis %1 ein.</translation>
    </message>
    <message>
        <source>“%1” is not a whole number.</source>
        <translation>„%1“ ist keine ganze Zahl.</translation>
    </message>
    <message>
        <source>The spiral holds no negative numbers.</source>
        <translation>Die Spirale enthält keine negativen Zahlen.</translation>
    </message>
    <message>
        <source>%1 is larger than any number a picture can hold.</source>
        <translation>%1 ist größer als jede Zahl, die ein Bild enthalten kann.</translation>
    </message>
    <message>
        <source>The picture does not hold %1.</source>
        <translation>Das Bild enthält %1 nicht.</translation>
    </message>
    <message>
        <source>It shows the numbers from %1 to %2.</source>
        <translation>Es zeigt die Zahlen von %1 bis %2.</translation>
    </message>
    <message>
        <source>The number spiral. The arrow keys move the cell cursor (ten cells with Ctrl, Home: to the centre), Enter names its number.</source>
        <translation>Die Zahlenspirale. Die Pfeiltasten bewegen den Zellcursor (mit Strg zehn Zellen weit, Pos1: zur Mitte), die Eingabetaste nennt seine Zahl.</translation>
    </message>
</context>
<context>
    <name>Manual</name>
    <message>
        <source>Quorvel – User Manual</source>
        <translation>Quorvel – Benutzerhandbuch</translation>
    </message>
    <message>
        <source>The user manual cannot be found; it belongs at %1.</source>
        <translation>Das Benutzerhandbuch ist nicht zu finden; es gehört nach %1.</translation>
    </message>
</context>
<context>
    <name>Words</name>
    <message>
        <source>Use</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Circles</source>
        <translation>Kreise</translation>
    </message>
    <message>
        <source>Squares</source>
        <translation>Quadrate</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Groesse</translation>
    </message>
    <message>
        <source>in pixels</source>
        <translation>in Pixeln</translation>
    </message>
    <message>
        <source>Color by</source>
        <translation>Faerben nach</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Start number</source>
        <translation>Anfangszahl</translation>
    </message>
    <message>
        <source>End number</source>
        <translation>Endzahl</translation>
    </message>
    <message>
        <source>Number of numbers</source>
        <translation>Anzahl der Zahlen</translation>
    </message>
    <message>
        <source>Longest NW-SE</source>
        <translation>Laengste NW-SO</translation>
    </message>
    <message>
        <source>Longest SW-NE</source>
        <translation>Laengste SW-NO</translation>
    </message>
    <message>
        <source>Smallest prime</source>
        <translation>Kleinste Primzahl</translation>
    </message>
    <message>
        <source>Largest prime</source>
        <translation>Groesste Primzahl</translation>
    </message>
    <message>
        <source>Number shown</source>
        <translation>Anzahl der sicht-
baren Zahlen</translation>
    </message>
    <message>
        <source>Draw Spiral</source>
        <translation>Spirale zeichnen</translation>
    </message>
    <message>
        <source>Spiral In</source>
        <translation>Spirale nach Innen</translation>
    </message>
    <message>
        <source>Spiral Out</source>
        <translation>Spirale nach Aussen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Gitternetz</translation>
    </message>
    <message>
        <source>Numerals</source>
        <translation>Ziffern</translation>
    </message>
    <message>
        <source>Show only for central number prime</source>
        <translation>Anzeige nur, wenn Zentrumszahl prim</translation>
    </message>
    <message>
        <source>Calculate longest NW-SE, SW-NE</source>
        <translation>Laengste NW-SO/SW-NO kalkulieren</translation>
    </message>
    <message>
        <source>Online documentation</source>
        <translation>Online-Dokumentation</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Cluster</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Diagonal NW-SE</source>
        <translation>Diagonal NW-SO</translation>
    </message>
    <message>
        <source>Diagonal SW-NE</source>
        <translation>Diagonal SW-NO</translation>
    </message>
    <message>
        <source>Ring number</source>
        <translation>Ringzahl</translation>
    </message>
    <message>
        <source>Sequence color</source>
        <translation>Farbreihenfolge</translation>
    </message>
    <message>
        <source>Ostrand color</source>
        <translation>Ostrandfarbe</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiss</translation>
    </message>
    <message>
        <source>Prime numbers</source>
        <translation>Primzahlen</translation>
    </message>
    <message>
        <source>Random numbers</source>
        <translation>Zufallszahlen</translation>
    </message>
    <message>
        <source>Square numbers</source>
        <translation>Quadratzahlen</translation>
    </message>
    <message>
        <source>Triangular numbers</source>
        <translation>Dreieckzahlen</translation>
    </message>
    <message>
        <source>All numbers</source>
        <translation>Alle Zahlen</translation>
    </message>
    <message>
        <source>Calculating</source>
        <translation>Rechnen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Halt</translation>
    </message>
    <message>
        <source>Spiralling in</source>
        <translation>Spiralbewegung nach Innen</translation>
    </message>
    <message>
        <source>Spiralling out</source>
        <translation>Spiralbewegung nach Aussen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schliessen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Save Picture…</source>
        <translation>Bild &amp;speichern…</translation>
    </message>
    <message>
        <source>&amp;Copy Picture</source>
        <translation>Bild &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Export Picture…</source>
        <translation>Bild &amp;exportieren…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>User &amp;Manual</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;About Quorvel</source>
        <translation>&amp;Ueber Quorvel</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Ueber &amp;Qt</translation>
    </message>
    <message>
        <source>Colour key</source>
        <translation>Farbschluessel</translation>
    </message>
</context>
</TS>
