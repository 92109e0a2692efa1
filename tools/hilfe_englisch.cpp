#include "hilfe_englisch.h"

QString ReadmeEnglisch(int arten, int karten) {
    QString s;
    s += "Veldmark - Quick info\n";
    s += "=====================\n\n";
    s += "Veldmark is a card game of building a town. You play seat 1 against one to three\n";
    s += "computer players. It is played with " + QString::number(karten) + " cards of " +
         QString::number(arten) + " kinds:\n";
    s += "green workers bring money, blue buildings and red aristocrats bring victory points,\n";
    s += "upgrade cards replace a card of their colour on the table.\n\n";
    s += "Playing\n-------\n";
    s += "File > New game (Ctrl+N) starts a game. Click a card of the display; the places it fits\n";
    s += "are raised. A click on a raised table place buys the card, a click on the raised hand\n";
    s += "place takes it into the hand. \"Pass\" ends your turn without an action. The full rules\n";
    s += "and all controls are in the help (Help > Contents), the cards in \"Karten.pdf\"\n";
    s += "(Help > Quick info: Card overview).\n\n";
    s += "Command line\n------------\n";
    s += "  veldmark [profile folder] [game.vmk]\n\n";
    s += "The first argument that is not a game file names the profile folder: it holds\n";
    s += "\"Veldmark.ini\" (settings, statistics, highscores), \"Statistik.txt\" and\n";
    s += "\"ErrorTrace.txt\". Without it the profile folder is the program folder. An argument that\n";
    s += "ends in \".vmk\" and is no folder is a game file: it is loaded after the start, as with\n";
    s += "File > Load game. The two arguments may come in either order.\n";
    s += "The installed starter \"veldmark\" keeps the profile in ~/.config/veldmark (or in\n";
    s += "$XDG_CONFIG_HOME/veldmark) unless a folder is named first; so a double click on a .vmk\n";
    s += "file opens the game with your own profile.\n\n";
    s += "Files in the program folder\n---------------------------\n";
    s += "  Karten/1.jpg .. 51.jpg   the card pictures (50 back, 51 used card)\n";
    s += "  Hilfe/                   the German help; Hilfe/en/ this English one:\n";
    s += "  Hilfe/en/Veldmark.html   rules and controls\n";
    s += "  Hilfe/en/Readme.txt      this quick info\n";
    s += "  Hilfe/en/Karten.pdf      card overview\n";
    s += "  Lang.ini                 (optional) language file: replaces the texts of the menus,\n";
    s += "                           the cards and the dialogs. With the English one the cards\n";
    s += "                           show their English names and the help menu opens this help.\n\n";
    s += "Simulator\n---------\n";
    s += "\"veldmark-sim\" plays long series of computer games without a window, to compare the\n";
    s += "strategies (veldmark-sim --help).\n";
    return s;
}

QString HilfeseiteEnglisch(const QString& adelsbonus, const QString& kartentabelle) {
    QString s;
    s += R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Veldmark - Rules and controls</title>
)";
    s += HilfeStil;
    s += R"(</head>
<body>
<h1>Veldmark</h1>
<p>Rules and controls.</p>
<ul>
<li><a href="#idee">The idea</a></li>
<li><a href="#ablauf">A round</a></li>
<li><a href="#zug">The turn</a></li>
<li><a href="#preise">Card prices and upgrades</a></li>
<li><a href="#sternwarte">Observatory and tavern</a></li>
<li><a href="#wertung">Scoring and the end of the game</a></li>
<li><a href="#varianten">Variants</a></li>
<li><a href="#bedienung">Controls</a></li>
<li><a href="#menues">Menus</a></li>
<li><a href="#dateien">Files and command line</a></li>
<li><a href="#karten">The cards</a></li>
</ul>

<h2 id="idee">The idea</h2>
<p>Two to four players build a town. You play seat 1, the computer plays the other seats.
There are four card colours: <span class="gruen">green workers</span> bring money,
<span class="blau">blue buildings</span> and <span class="rot">red aristocrats</span> bring money and victory points,
<span class="erw">upgrade cards</span> replace a card of their colour on the table by a more valuable one.
Whoever has the most victory points at the end wins; on a tie the money decides, then the lower seat.</p>

<h2 id="ablauf">A round</h2>
<p>A round has four phases: green, blue, red and upgrade. Each phase has a start-player token; the phase
begins with its holder and goes round the table. The tokens are called H, B, A and E. They are dealt at the start
of the game (with two players each holds two) and move on one seat in every new round.</p>
<p>The open display has two rows. At the start of the game the upper row holds twice as many green cards as there
are players. After each phase the display is filled up with cards of the next phase (both rows together at most
eight cards); in a new round the lower row is discarded and the upper row moves down. Cards of the lower row are
1 cheaper.</p>
<p>A phase ends when all players have passed one after the other. A pass is not final: any other action starts the
count afresh.</p>

<h2 id="zug">The turn</h2>
<p>On a turn a player takes exactly one action:</p>
<ul>
<li>buy a card of the display and lay it on the table,</li>
<li>take a card of the display into the hand (at most three hand cards, four with the warehouse),</li>
<li>buy a hand card and lay it on the table,</li>
<li>use the observatory,</li>
<li>pass.</li>
</ul>
<p>A player's table has at most 55 places, each colour at most 31 cards. The cards of a colour lie in the order of
their numbers.</p>

<h2 id="preise">Card prices and upgrades</h2>
<p>The price of a card is its printed price, 1 less from the lower row and 1 less for each card of the same kind
already on the player's own table. The joinery makes blue cards, the goldsmithy red cards 1 cheaper. A card always
costs at least 1.</p>
<p>An upgrade card is laid on an own, unused table card that it may replace; the replaced card goes to the discard
pile. It costs its price less the price of the replaced card, at least 1. The Potemkin village counts as a card of
price 6 for this.</p>

<h2 id="sternwarte">Observatory and tavern</h2>
<p><b>Observatory:</b> Once per phase and observatory a player may, instead of another action, draw the hidden top
card of a stack that still holds at least two cards, and then buy it, take it into the hand or discard it. A drawn
upgrade card is laid on one of the table places offered; passing instead discards it. The used observatory is
turned over until the next phase and brings no victory points meanwhile.</p>
<p><b>Tavern:</b> After the blue scoring every owner of a tavern may buy victory points: 2 money per victory point,
at most 5 victory points per tavern.</p>

<h2 id="wertung">Scoring and the end of the game</h2>
<p>At the end of the green, blue and red phase the table cards of that colour bring their owner money and victory
points. The court opera brings 1 money per red table card at the blue scoring, the tax collector 1 money per green
table card at the red scoring. The upgrade phase brings nothing.</p>
<p>When a stack is used up, the round is played to its end. Then comes the final scoring: a bonus for different
aristocrats on the table, 1 victory point per 10 money (the money stays) and 5 victory points off per hand card;
there are no fewer than 0 victory points.</p>
)";
    s += adelsbonus;
    s += R"(
<h2 id="varianten">Variants</h2>
<ol>
<li><b>Aristocrat bonus for more than 10 kinds</b>: above 10 different aristocrats each further one counts 10 victory points.</li>
<li><b>Hidden hand cards and money</b>: the opponents' hand cards and money stay hidden until the end of the game.</li>
<li><b>No court mistress in round 1</b>.</li>
</ol>
<p>A variant changed in the menu takes effect at the next game.</p>

<h2 id="bedienung">Controls</h2>
<p>Every player has a tab with the table and the hand; above lie the two rows of the display, the four stack
counters and the players' boxes with money, victory points, last action and start-player tokens.</p>
<table>
<tr><th>Input</th><th>Effect</th></tr>
<tr><td>Click on a card of the display</td><td>selects it; the free hand place and the table places it fits are
raised. A second click on the same card cancels the choice.</td></tr>
<tr><td>Click on a raised table place</td><td>buys the selected card onto this place.</td></tr>
<tr><td>Left click on the raised hand place</td><td>takes the selected card into the hand.</td></tr>
<tr><td>Click on a hand card</td><td>selects it; the table places it fits are raised.</td></tr>
<tr><td><kbd>Shift</kbd> + left click on a card of the display or the hand</td><td>buys it at once onto the next
free table place (not for upgrade cards).</td></tr>
<tr><td><kbd>Ctrl</kbd> + left click on a card of the display</td><td>takes it into the hand at once.</td></tr>
<tr><td><kbd>Shift</kbd> or <kbd>Ctrl</kbd> + right click on the display or the hand</td><td>passes.</td></tr>
<tr><td>Double click on the own observatory</td><td>opens the observatory dialog: choose a stack, “Draw”, then
“Buy”, “Hand” or “Discard”.</td></tr>
<tr><td>Double click on the own tavern</td><td>opens the tavern dialog after the blue scoring.</td></tr>
<tr><td>“Pass”</td><td>passes.</td></tr>
</table>
<p><b>Correction mode</b> (advanced settings): while it is on, <kbd>Alt</kbd> + click on a table card of the player
shown opens a dialog in which the card is removed, exchanged for another or a further card is inserted.
<kbd>Alt</kbd> + left click on a player's money gives 1 money, <kbd>Alt</kbd> + right click takes 1 money. A game
in which the correction mode was on is marked as changed with “X” in the status bar. A change that would give more
than 31 cards of a colour or more than 55 table places is refused.</p>

<h2 id="menues">Menus</h2>
<table>
<tr><th>Menu</th><th>Commands</th></tr>
<tr><td>File</td><td>New game (<kbd>Ctrl</kbd>+<kbd>N</kbd>), Load game, Save game, Exit</td></tr>
<tr><td>Move</td><td>Undo (<kbd>Ctrl</kbd>+<kbd>Z</kbd>), Redo (<kbd>Ctrl</kbd>+<kbd>Y</kbd>), Back to the first
move, Forward to the last move. The last 150 positions are kept.</td></tr>
<tr><td>Players</td><td>Two, three or four players (from the next game on)</td></tr>
<tr><td>Strength</td><td>Low, Medium, the levels Z1 to Z6 and K1 to K4, Expert mode. Only in expert mode do the
own strategy settings apply.</td></tr>
<tr><td>Options</td><td>Single step (computer moves one at a time with “Next”), Save profile, Trace/Debug (log
window), Scale main window (takes effect at the next start)</td></tr>
<tr><td>Advanced settings</td><td>Extra statistics (writes “Statistik.txt”), Correction mode, Strategies
(strategy, start money and start role of each seat, simulation, parameters of strategies 2 to 15), Save, Read,
Reset strategy parameters, Load strategy parameters at start-up</td></tr>
<tr><td>Variants</td><td>the three variants</td></tr>
<tr><td>Help</td><td>this page, the quick info, the card overview, About with the win statistics, and three pages
on the web</td></tr>
</table>
<p><b>Simulation:</b> When “The computer plays player 1 !” is checked in the strategy settings, “New game” plays a
series of computer games and then writes a statistics report into the log window.</p>
<p>Lost and won games, the share of wins and the highscore per player count are counted in the profile; a loaded
puzzle does not count.</p>

<h2 id="dateien">Files and command line</h2>
<p><code>veldmark [profile folder] [game.vmk]</code></p>
<p>The first argument that is not a game file names the profile folder with “Veldmark.ini”; without it the profile
folder is the program folder. A game file (ending “.vmk”) on the command line is loaded after the start. The
installed starter keeps the profile in the folder <code>~/.config/veldmark</code>, so that a double click on a game
file opens it with your own profile.</p>
<p>Game files hold the whole game with all kept positions. A language file “Lang.ini” in the program folder replaces
the texts of the menus, the cards and the dialogs; the English one comes with the program, and with it the help menu
opens this English help.</p>

<h2 id="karten">The cards</h2>
<p>Cost: printed price; money and VP: what the card brings at the scoring of its colour (*: see ability). Upgrade
cards have the colour of the cards they replace.</p>
)";
    s += kartentabelle;
    s += "</body>\n</html>\n";
    return s;
}
