<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl" sourcelanguage="en">
<context>
    <name>AcceptListModel</name>
    <message>
        <source>Allow</source>
        <translation>Toestaan</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Blokkeren</translation>
    </message>
</context>
<context>
    <name>AutoRestart</name>
    <message>
        <source>Automatic restart not available!</source>
        <translation>Automatisch herstarten is niet beschikbaar!</translation>
    </message>
</context>
<context>
    <name>BlockAccept</name>
    <message>
        <source> has already been added to the blacklist. </source>
        <translation> staat al op de kindonvriendelijke lijst. </translation>
    </message>
</context>
<context>
    <name>CategoryCatalogue</name>
    <message>
        <source>Adult sites</source>
        <translation>Sites voor volwassenen</translation>
    </message>
    <message>
        <source>Partly adult sites</source>
        <translation>Sites deels voor volwassenen</translation>
    </message>
    <message>
        <source>Lingerie</source>
        <translation>Lingerie</translation>
    </message>
    <message>
        <source>Dating</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Gambling</source>
        <translation>Gokken</translation>
    </message>
    <message>
        <source>Drugs</source>
        <translation>Drugs</translation>
    </message>
    <message>
        <source>Violence and hate</source>
        <translation>Geweld en haat</translation>
    </message>
    <message>
        <source>Malware</source>
        <translation>Malware</translation>
    </message>
    <message>
        <source>Phishing</source>
        <translation>Phishing</translation>
    </message>
    <message>
        <source>Ways around the filter</source>
        <translation>Manieren om het filter te omzeilen</translation>
    </message>
    <message>
        <source>VPN services</source>
        <translation>VPN-diensten</translation>
    </message>
    <message>
        <source>DNS over HTTPS</source>
        <translation>DNS via HTTPS</translation>
    </message>
</context>
<context>
    <name>CategoryFilter</name>
    <message>
        <source>Until they are there, only the theme&apos;s whitelist and the start page can be visited.</source>
        <translation>Zolang ze er niet zijn, kunnen alleen de kindvriendelijke lijst van het thema en de startpagina bezocht worden.</translation>
    </message>
    <message>
        <source>The category lists have never been fetched.</source>
        <translation>De categorielijsten zijn nog nooit opgehaald.</translation>
    </message>
    <message>
        <source>The category lists cannot be read (%1).</source>
        <translation>De categorielijsten kunnen niet gelezen worden (%1).</translation>
    </message>
    <message>
        <source>These category lists have not been fetched yet: %1.</source>
        <translation>Deze categorielijsten zijn nog niet opgehaald: %1.</translation>
    </message>
    <message>
        <source>The last update of the category lists failed: %1</source>
        <translation>Het laatste bijwerken van de categorielijsten is mislukt: %1</translation>
    </message>
</context>
<context>
    <name>CategoryUpdate</name>
    <message>
        <source>The update was cancelled.</source>
        <translation>Het bijwerken is geannuleerd.</translation>
    </message>
    <message>
        <source>Another update of the category lists is running.</source>
        <translation>De categorielijsten worden al bijgewerkt.</translation>
    </message>
    <message>
        <source>No usable source of category lists is set (vendor.ini).</source>
        <translation>Er is geen bruikbare bron van categorielijsten ingesteld (vendor.ini).</translation>
    </message>
    <message>
        <source>%1 could not be fetched.</source>
        <translation>%1 kon niet opgehaald worden.</translation>
    </message>
    <message>
        <source>%1 does not match its check sum: it arrived damaged or was changed.</source>
        <translation>%1 klopt niet met zijn controlesom: het is beschadigd aangekomen of veranderd.</translation>
    </message>
    <message>
        <source>%1 is not a usable category list.</source>
        <translation>%1 is geen bruikbare categorielijst.</translation>
    </message>
    <message>
        <source>The source holds none of the categories asked for (%1).</source>
        <translation>De bron heeft geen van de gevraagde categorieën (%1).</translation>
    </message>
    <message>
        <source>The category lists cannot be saved (%1).</source>
        <translation>De categorielijsten kunnen niet opgeslagen worden (%1).</translation>
    </message>
</context>
<context>
    <name>DesktopLauncher</name>
    <message>
        <source>The user name cannot be a file name.</source>
        <translation>Deze gebruikersnaam kan geen bestandsnaam zijn.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>De map %1 kan niet worden gemaakt.</translation>
    </message>
    <message>
        <source>     Creating shortcut failed!     </source>
        <translation>     Snelkoppeling maken is mislukt!     </translation>
    </message>
</context>
<context>
    <name>DesktopLock</name>
    <message>
        <source>Tovalin cannot keep the child inside on this desktop. Log in to the &quot;Tovalin for children&quot; session, or to an X11 session, to lock the desktop.</source>
        <translation>Tovalin kan het kind op dit bureaublad niet binnen Tovalin houden. Meld u aan bij de sessie &quot;Tovalin voor kinderen&quot;, of bij een X11-sessie, om het bureaublad te vergrendelen.</translation>
    </message>
    <message>
        <source>Lock in force on this desktop: the X11 lock.</source>
        <translation>Vergrendeling op dit bureaublad: de X11-vergrendeling.</translation>
    </message>
    <message>
        <source>Lock in force on this desktop: the Tovalin session.</source>
        <translation>Vergrendeling op dit bureaublad: de Tovalin-sessie.</translation>
    </message>
    <message>
        <source>Lock in force on this desktop: none. Log in to the &quot;Tovalin for children&quot; session, or to an X11 session, to lock the desktop.</source>
        <translation>Vergrendeling op dit bureaublad: geen. Meld u aan bij de sessie &quot;Tovalin voor kinderen&quot;, of bij een X11-sessie, om het bureaublad te vergrendelen.</translation>
    </message>
</context>
<context>
    <name>HelpPage</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>LinkEditing</name>
    <message>
        <source>     You did not complete all fields!     </source>
        <translation>     U heeft niet alle velden ingevuld!     </translation>
    </message>
    <message>
        <source>     The URL has been changed!      </source>
        <translation>     Het webadres is veranderd!      </translation>
    </message>
    <message>
        <source>The theme &quot;%1&quot; cannot be saved: choose or make a theme first.</source>
        <translation>Het thema &quot;%1&quot; kan niet worden opgeslagen: kies of maak eerst een thema.</translation>
    </message>
    <message>
        <source>This theme already holds %1 links; remove one before adding another.</source>
        <translation>Dit thema heeft al %1 links; verwijder er eerst één voordat u er een toevoegt.</translation>
    </message>
    <message>
        <source>The link list of theme &quot;%1&quot; cannot be read; nothing was added.</source>
        <translation>De lijst met links van thema &quot;%1&quot; kan niet worden gelezen; er is niets toegevoegd.</translation>
    </message>
    <message>
        <source>The picture of the link cannot be saved in %1; nothing was added.</source>
        <translation>Het plaatje van de link kan niet worden opgeslagen in %1; er is niets toegevoegd.</translation>
    </message>
    <message>
        <source>The link list of theme &quot;%1&quot; cannot be written: %2</source>
        <translation>De lijst met links van thema &quot;%1&quot; kan niet worden geschreven: %2</translation>
    </message>
</context>
<context>
    <name>LinkPanel</name>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
</context>
<context>
    <name>MenuLock</name>
    <message>
        <source>The password could not be saved: %1</source>
        <translation>Het wachtwoord kon niet worden opgeslagen: %1</translation>
    </message>
    <message>
        <source>You did not complete all fields</source>
        <translation>U heeft niet alle velden ingevuld</translation>
    </message>
    <message>
        <source>You entered two different new passwords</source>
        <translation>U heeft twee verschillende nieuwe wachtwoorden ingevuld</translation>
    </message>
    <message>
        <source>      Wrong password!      </source>
        <translation>      Verkeerd wachtwoord!      </translation>
    </message>
    <message>
        <source>     Wrong password!     </source>
        <translation>     Verkeerd wachtwoord!     </translation>
    </message>
    <message>
        <source>Attention: The </source>
        <translation>Let op: het </translation>
    </message>
    <message>
        <source>parents menu</source>
        <translation>oudermenu</translation>
    </message>
    <message>
        <source> is not locked!</source>
        <translation> is niet vergrendeld!</translation>
    </message>
    <message>
        <source>Do you want to lock it now?</source>
        <translation>Wilt u het nu vergrendelen?</translation>
    </message>
    <message>
        <source>Unlock menu?</source>
        <translation>Menu ontgrendelen?</translation>
    </message>
    <message>
        <source>Lock menu?</source>
        <translation>Menu vergrendelen?</translation>
    </message>
</context>
<context>
    <name>NavigationGuard</name>
    <message>
        <source>Turn filter off</source>
        <translation>Filter uitzetten</translation>
    </message>
    <message>
        <source>Turn filter on</source>
        <translation>Filter aanzetten</translation>
    </message>
    <message>
        <source>Filter on</source>
        <translation>Filter aan</translation>
    </message>
    <message>
        <source>Filter off</source>
        <translation>Filter uit</translation>
    </message>
</context>
<context>
    <name>NavigationModel</name>
    <message>
        <source>Block active site</source>
        <translation>Actieve site blokkeren</translation>
    </message>
    <message>
        <source>Allow blocked site</source>
        <translation>Geblokkeerde site toestaan</translation>
    </message>
</context>
<context>
    <name>ParentsMenu</name>
    <message>
        <source>Lock menu</source>
        <translation>Menu vergrendelen</translation>
    </message>
</context>
<context>
    <name>PasswordStore</name>
    <message>
        <source>The password file %1 is damaged: it holds no valid password.</source>
        <translation>Het wachtwoordbestand %1 is beschadigd: er staat geen geldig wachtwoord in.</translation>
    </message>
    <message>
        <source>The password file %1 cannot be read.</source>
        <translation>Het wachtwoordbestand %1 kan niet worden gelezen.</translation>
    </message>
    <message>
        <source>The password file %1 is missing.</source>
        <translation>Het wachtwoordbestand %1 ontbreekt.</translation>
    </message>
    <message>
        <source>The password could not be encrypted.</source>
        <translation>Het wachtwoord kon niet worden versleuteld.</translation>
    </message>
</context>
<context>
    <name>PopupGuard</name>
    <message>
        <source>Block popup</source>
        <translation>Pop-up blokkeren</translation>
    </message>
    <message>
        <source>Allow popup</source>
        <translation>Pop-up toestaan</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Drag to change the size of the page; double-click for the full size</source>
        <translation>Sleep om de pagina groter of kleiner te maken; dubbelklik voor de volle grootte</translation>
    </message>
</context>
<context>
    <name>QuickMenuModel</name>
    <message>
        <source>No site loaded</source>
        <translation>Geen site geladen</translation>
    </message>
</context>
<context>
    <name>RequestStore</name>
    <message>
        <source>There is no request %1.</source>
        <translation>Er is geen verzoek %1.</translation>
    </message>
    <message>
        <source>Request %1 has been answered already.</source>
        <translation>Verzoek %1 is al beantwoord.</translation>
    </message>
    <message>
        <source>The requests file %1 cannot be used (%2); no request is recorded or answered until it can.</source>
        <translation>Het verzoekenbestand %1 kan niet gebruikt worden (%2); tot dat weer kan, wordt geen verzoek vastgelegd of beantwoord.</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>te groot</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>het kan niet gelezen worden</translation>
    </message>
    <message>
        <source>not a requests file</source>
        <translation>geen verzoekenbestand</translation>
    </message>
    <message>
        <source>The folder of %1 cannot be made.</source>
        <translation>De map van %1 kan niet gemaakt worden.</translation>
    </message>
</context>
<context>
    <name>ShortcutIcons</name>
    <message>
        <source>Blue</source>
        <translation>Blauw</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Geel</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Groen</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Oranje</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Paars</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rood</translation>
    </message>
</context>
<context>
    <name>SiteLists</name>
    <message>
        <source>the file is too large</source>
        <translation>het bestand is te groot</translation>
    </message>
    <message>
        <source>a folder has its name</source>
        <translation>er bestaat een map met die naam</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>het bestand kan niet worden gelezen</translation>
    </message>
    <message>
        <source>The list file %1 could not be loaded: %2.</source>
        <translation>Het lijstbestand %1 kon niet worden geladen: %2.</translation>
    </message>
    <message>
        <source>Until it can be read, every site except the start page&apos;s is refused.</source>
        <translation>Zolang het niet gelezen kan worden, wordt elke site behalve de startpagina geweigerd.</translation>
    </message>
    <message>
        <source>the file could not be read when the lists were loaded, so it is left unchanged</source>
        <translation>het bestand kon bij het laden van de lijsten niet worden gelezen en blijft daarom onveranderd</translation>
    </message>
    <message>
        <source>The list file %1 could not be saved: %2.</source>
        <translation>Het lijstbestand %1 kon niet worden opgeslagen: %2.</translation>
    </message>
    <message>
        <source>The change stays in force until Tovalin closes; it is saved again with the next change.</source>
        <translation>De wijziging blijft gelden tot Tovalin sluit; bij de volgende wijziging wordt opnieuw opgeslagen.</translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>     You did not select a user!    </source>
        <translation>     U heeft geen gebruiker gekozen!    </translation>
    </message>
    <message>
        <source>   Creating a homepage failed!   </source>
        <translation>   Startpagina maken is mislukt!   </translation>
    </message>
    <message>
        <source>Homepage for </source>
        <translation>Startpagina voor </translation>
    </message>
    <message>
        <source> created</source>
        <translation> gemaakt</translation>
    </message>
</context>
<context>
    <name>SwitchClock</name>
    <message>
        <source>You activated the switch clock, but did not enter a time span </source>
        <translation>U heeft de wisselklok aangezet, maar geen tijdsduur ingevuld </translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>the disk is full or cannot be written</source>
        <translation>de schijf is vol of er kan niet op worden geschreven</translation>
    </message>
    <message>
        <source>no permission to write here</source>
        <translation>geen toestemming om hier te schrijven</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>het bestand kon niet worden geschreven</translation>
    </message>
</context>
<context>
    <name>ThemeArchive</name>
    <message>
        <source>No theme named %1</source>
        <translation>Er is geen thema met de naam %1</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Kan %1 niet lezen: %2</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Onvoldoende geheugen</translation>
    </message>
    <message>
        <source>Cannot read the archive back</source>
        <translation>Het archief kan niet worden teruggelezen</translation>
    </message>
    <message>
        <source>No archive at %1</source>
        <translation>Geen archief op %1</translation>
    </message>
    <message>
        <source>The archive is larger than 64 MB uncompressed</source>
        <translation>Het archief is uitgepakt groter dan 64 MB</translation>
    </message>
</context>
<context>
    <name>ThemeEditing</name>
    <message>
        <source>Tovalin theme: </source>
        <translation>Tovalinthema: </translation>
    </message>
    <message>
        <source>This is a Tovalin theme: picture links and websites that a child can visit safely. Open the file with Tovalin.</source>
        <translation>Dit is een Tovalin-thema: plaatjeslinks en websites die een kind veilig kan bezoeken. Open het bestand met Tovalin.</translation>
    </message>
    <message>
        <source>You will find more themes and Tovalin itself at http://%1</source>
        <translation>Meer thema&apos;s en Tovalin zelf vindt u op http://%1</translation>
    </message>
</context>
<context>
    <name>ThemeFiles</name>
    <message>
        <source>Invalid link ID: </source>
        <translation>Ongeldige link-ID: </translation>
    </message>
    <message>
        <source>Cannot read </source>
        <translation>Kan niet lezen: </translation>
    </message>
    <message>
        <source>Invalid theme name: </source>
        <translation>Ongeldige themanaam: </translation>
    </message>
</context>
<context>
    <name>ThemeImport</name>
    <message>
        <source>Cannot replace %1</source>
        <translation>Kan %1 niet vervangen</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>Kan %1 niet schrijven</translation>
    </message>
    <message>
        <source>Not a valid theme name: %1</source>
        <translation>Geen geldige themanaam: %1</translation>
    </message>
    <message>
        <source>No themes folder at %1</source>
        <translation>Geen themamap op %1</translation>
    </message>
    <message>
        <source>Cannot make a staging folder: %1</source>
        <translation>Kan geen tijdelijke map maken: %1</translation>
    </message>
    <message>
        <source>Cannot make a staging folder</source>
        <translation>Kan geen tijdelijke map maken</translation>
    </message>
</context>
<context>
    <name>ThemeListsEditor</name>
    <message>
        <source>There is no theme &quot;%1&quot;.</source>
        <translation>Er is geen thema &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>%1 has no site to allow.</source>
        <translation>%1 heeft geen site die toegestaan kan worden.</translation>
    </message>
</context>
<context>
    <name>TimeClock</name>
    <message>
        <source>You activated the clock, but did not enter a time span</source>
        <translation>U heeft de klok aangezet, maar geen tijdsduur ingevuld</translation>
    </message>
    <message>
        <source>Only whole numbers are allowed</source>
        <translation>Alleen hele getallen zijn toegestaan</translation>
    </message>
    <message>
        <source>Time&apos;s up!</source>
        <translation>De tijd is op!</translation>
    </message>
</context>
<context>
    <name>UserManager</name>
    <message>
        <source>No user selected</source>
        <translation>Geen gebruiker gekozen</translation>
    </message>
    <message>
        <source>Selected user: </source>
        <translation>Gekozen gebruiker: </translation>
    </message>
    <message>
        <source>Active user: </source>
        <translation>Actieve gebruiker: </translation>
    </message>
    <message>
        <source>User </source>
        <translation>Gebruiker </translation>
    </message>
    <message>
        <source> already exists. Overwrite?</source>
        <translation> bestaat al. Overschrijven?</translation>
    </message>
    <message>
        <source>No user name was entered</source>
        <translation>Er is geen gebruikersnaam ingevuld</translation>
    </message>
    <message>
        <source>The next time the Tovalin will start with </source>
        <translation>De volgende keer start Tovalin met </translation>
    </message>
    <message>
        <source>Do you want to remove user </source>
        <translation>Wilt u deze gebruiker verwijderen: </translation>
    </message>
    <message>
        <source>The user %1 could not be removed.</source>
        <translation>De gebruiker %1 kon niet worden verwijderd.</translation>
    </message>
    <message>
        <source>There is no active user: open or create a user first.</source>
        <translation>Er is geen actieve gebruiker: open of maak eerst een gebruiker.</translation>
    </message>
    <message>
        <source>Shortcut for </source>
        <translation>Snelkoppeling voor </translation>
    </message>
    <message>
        <source> created</source>
        <translation> gemaakt</translation>
    </message>
    <message>
        <source>You activated the clock, but did not enter a time span</source>
        <translation>U heeft de klok aangezet, maar geen tijdsduur ingevuld</translation>
    </message>
    <message>
        <source>You activated the switch clock, but did not enter a time span </source>
        <translation>U heeft de wisselklok aangezet, maar geen tijdsduur ingevuld </translation>
    </message>
    <message>
        <source>Do you want to save the changes?</source>
        <translation>Wilt u de wijzigingen opslaan?</translation>
    </message>
</context>
<context>
    <name>UserNames</name>
    <message>
        <source>     You did not enter a name     </source>
        <translation>     U heeft geen naam ingevuld     </translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation>U heeft geen geldige naam ingevuld. Probeer het opnieuw!</translation>
    </message>
</context>
<context>
    <name>UserStore</name>
    <message>
        <source>You don&apos;t have administator rights. Use another account!</source>
        <translation>U heeft geen beheerdersrechten. Gebruik een ander account!</translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation>U heeft geen geldige naam ingevuld. Probeer het opnieuw!</translation>
    </message>
    <message>
        <source>The file %1 could not be read.</source>
        <translation>Het bestand %1 kon niet worden gelezen.</translation>
    </message>
    <message>
        <source>None selected</source>
        <translation>Niets gekozen</translation>
    </message>
    <message>
        <source>No user available</source>
        <translation>Geen gebruiker aanwezig</translation>
    </message>
</context>
<context>
    <name>tovalin::AcceptWindow</name>
    <message>
        <source>Allow blocked URL&apos;s</source>
        <translation>Geblokkeerde webadressen toestaan</translation>
    </message>
    <message>
        <source>Several URL&apos;s were blocked.</source>
        <translation>Er zijn meerdere webadressen geblokkeerd.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>tovalin::ActiveThemeEditor</name>
    <message>
        <source>Edit active theme</source>
        <translation>Actief thema bewerken</translation>
    </message>
    <message>
        <source>Whitelist</source>
        <translation>Kindvriendelijke lijst</translation>
    </message>
    <message>
        <source>Blacklist</source>
        <translation>Kindonvriendelijke lijst</translation>
    </message>
    <message>
        <source>pop-up list</source>
        <translation>Pop-up lijst</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Email (not available)</source>
        <translation>E-mail (niet beschikbaar)</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Opslaan als</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Add theme</source>
        <translation>Thema toevoegen</translation>
    </message>
    <message>
        <source>URL manager</source>
        <translation>URL beheer</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporteren</translation>
    </message>
    <message>
        <source>Local...</source>
        <translation>Lokaal...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Enter another name for this theme</source>
        <translation>Geef een andere naam voor dit thema</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>The active thema has been saved as</source>
        <translation>Het actieve thema is opgeslagen als</translation>
    </message>
    <message>
        <source>Click the delete button to remove the active theme</source>
        <translation>Klik op Verwijderen om het actieve thema te verwijderen</translation>
    </message>
    <message>
        <source>Warning: This action cannot be undone!</source>
        <translation>Waarschuwing: dit kan niet ongedaan worden gemaakt!</translation>
    </message>
    <message>
        <source>Select the theme that you want to add from the list.</source>
        <translation>Kies in de lijst het thema dat u wilt toevoegen.</translation>
    </message>
    <message>
        <source>The active theme will be expanded with the selected  </source>
        <translation>Het actieve thema wordt uitgebreid met het gekozen  </translation>
    </message>
    <message>
        <source>theme</source>
        <translation>thema</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Toevoegen</translation>
    </message>
    <message>
        <source>Select an URL that you want to edit from the list</source>
        <translation>Kies in de lijst het webadres dat u wilt bewerken</translation>
    </message>
    <message>
        <source>Add a new URL or edit a selected URL</source>
        <translation>Voeg een nieuw webadres toe of bewerk het gekozen adres</translation>
    </message>
    <message>
        <source>One level up</source>
        <translation>Eén nivo hoger</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Wijzigen</translation>
    </message>
    <message>
        <source>Show in browser</source>
        <translation>Tonen in browser</translation>
    </message>
    <message>
        <source>Active theme: </source>
        <translation>Actief thema: </translation>
    </message>
    <message>
        <source>No theme selected!</source>
        <translation>Geen thema gekozen!</translation>
    </message>
    <message>
        <source>     You did not enter a name     </source>
        <translation>     U heeft geen naam ingevuld     </translation>
    </message>
    <message>
        <source>Theme </source>
        <translation>Thema </translation>
    </message>
    <message>
        <source> already exists. Overwrite?</source>
        <translation> bestaat al. Overschrijven?</translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation>U heeft geen geldige naam ingevuld. Probeer het opnieuw!</translation>
    </message>
    <message>
        <source>Not every file of the theme could be copied to &quot;%1&quot;.</source>
        <translation>Niet alle bestanden van het thema konden naar &quot;%1&quot; worden gekopieerd.</translation>
    </message>
    <message>
        <source>Do you want to remove theme </source>
        <translation>Wilt u dit thema verwijderen: </translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>The theme could not be expanded completely: %1 could not be written.</source>
        <translation>Het thema kon niet helemaal worden uitgebreid: %1 kon niet worden geschreven.</translation>
    </message>
    <message>
        <source>Themes cannot be exported here.</source>
        <translation>Thema&apos;s kunnen hier niet worden geëxporteerd.</translation>
    </message>
    <message>
        <source>Export theme: </source>
        <translation>Thema exporteren: </translation>
    </message>
    <message>
        <source>The theme could not be exported to %1:
%2</source>
        <translation>Het thema kon niet worden geëxporteerd naar %1:
%2</translation>
    </message>
    <message>
        <source>Attention: The email was not sent!</source>
        <translation>Let op: de e-mail is niet verstuurd!</translation>
    </message>
    <message>
        <source>This entry lets more than one site through: its site name has no dot, or begins or ends with one.</source>
        <translation>Deze regel laat meer dan één site door: de naam van de site heeft geen punt, of begint of eindigt met een punt.</translation>
    </message>
</context>
<context>
    <name>tovalin::ActivitySide</name>
    <message>
        <source>today only</source>
        <translation>alleen vandaag</translation>
    </message>
    <message>
        <source>%1 is allowed in theme %2.</source>
        <translation>%1 is toegestaan in thema %2.</translation>
    </message>
    <message>
        <source>%1 is blocked in theme %2.</source>
        <translation>%1 is geblokkeerd in thema %2.</translation>
    </message>
</context>
<context>
    <name>tovalin::ActivityWindow</name>
    <message>
        <source>Requests and report</source>
        <translation>Verzoeken en verslag</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Verzoeken</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Verslag</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>tovalin::AddLinkWizard</name>
    <message>
        <source>Selection</source>
        <translation>Selectie</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Toevoegen aan favorieten</translation>
    </message>
    <message>
        <source>Step 1</source>
        <translation>Stap 1</translation>
    </message>
    <message>
        <source>Take a picture of the browser screen</source>
        <translation>Maak een foto van het browserscherm</translation>
    </message>
    <message>
        <source>by clicking on the camera on the right</source>
        <translation>door rechts op het fototoestel te klikken</translation>
    </message>
    <message>
        <source>Step 2</source>
        <translation>Stap 2</translation>
    </message>
    <message>
        <source>Select with the square a nice image of this </source>
        <translation>Kies met het vierkant een mooi plaatje van deze </translation>
    </message>
    <message>
        <source>site that the child can easily recognize.</source>
        <translation>site dat het kind makkelijk herkent.</translation>
    </message>
    <message>
        <source>Step 3 (optional)</source>
        <translation>Stap 3 (niet verplicht)</translation>
    </message>
    <message>
        <source>If you want you can change the web address (URL) </source>
        <translation>Als u wilt, kunt u het webadres (URL) veranderen </translation>
    </message>
    <message>
        <source>New selection</source>
        <translation>Nieuwe selectie</translation>
    </message>
    <message>
        <source>Continue &gt;</source>
        <translation>Verder &gt;</translation>
    </message>
    <message>
        <source>Tip: By changing the URL you can connect another site to this image.</source>
        <translation>Tip: door het webadres te veranderen koppelt u een andere site aan dit plaatje.</translation>
    </message>
    <message>
        <source>Step 4 (optional)</source>
        <translation>Stap 4 (niet verplicht)</translation>
    </message>
    <message>
        <source>If you want you can give a short hint for the link </source>
        <translation>Als u wilt, kunt u een korte hint bij de link geven </translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Vorige</translation>
    </message>
    <message>
        <source>Tip: The hint will be shown when the mouse pointer moves over the image</source>
        <translation>Tip: de hint verschijnt als de muisaanwijzer over het plaatje gaat</translation>
    </message>
    <message>
        <source>Step 5 (optional)</source>
        <translation>Stap 5 (niet verplicht)</translation>
    </message>
    <message>
        <source>Appears in the whitelist as: </source>
        <translation>Komt op de kindvriendelijke lijst als: </translation>
    </message>
    <message>
        <source>One level up: allow the whole folder of the site</source>
        <translation>Eén nivo hoger: de hele map van de site toestaan</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Toevoegen</translation>
    </message>
    <message>
        <source>Open or make a theme first (&quot;Edit theme&apos;s&quot;).</source>
        <translation>Open of maak eerst een thema (&quot;Thema&apos;s bewerken&quot;).</translation>
    </message>
    <message>
        <source>Take a picture with the camera first.</source>
        <translation>Maak eerst een foto met het fototoestel.</translation>
    </message>
</context>
<context>
    <name>tovalin::AllowChoices</name>
    <message>
        <source>This page</source>
        <translation>Deze pagina</translation>
    </message>
    <message>
        <source>This whole site</source>
        <translation>De hele site</translation>
    </message>
    <message>
        <source>In this theme</source>
        <translation>In dit thema</translation>
    </message>
    <message>
        <source>In all of the user&apos;s themes</source>
        <translation>In alle thema&apos;s van de gebruiker</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Altijd</translation>
    </message>
    <message>
        <source>Today only</source>
        <translation>Alleen vandaag</translation>
    </message>
</context>
<context>
    <name>tovalin::Application</name>
    <message>
        <source>Tovalin</source>
        <translation>Tovalin</translation>
    </message>
    <message>
        <source>The data folder cannot be used:
%1

Tovalin starts, but nothing can be saved until the folder is writable.</source>
        <translation>De gegevensmap kan niet worden gebruikt:
%1

Tovalin start wel, maar er kan niets worden opgeslagen tot er weer in de map geschreven kan worden.</translation>
    </message>
</context>
<context>
    <name>tovalin::AskButton</name>
    <message>
        <source>Ask</source>
        <translation>Vraag</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Verstuurd</translation>
    </message>
    <message>
        <source>The question could not be sent. Ask again, or fetch a parent.</source>
        <translation>De vraag kon niet verstuurd worden. Vraag het nog eens, of haal een ouder.</translation>
    </message>
    <message>
        <source>Your question has been sent to a parent.</source>
        <translation>Je vraag is naar een ouder gestuurd.</translation>
    </message>
    <message>
        <source>Ask a parent whether you may open this page.</source>
        <translation>Vraag een ouder of je deze pagina mag openen.</translation>
    </message>
</context>
<context>
    <name>tovalin::CategorySettings</name>
    <message>
        <source>Fetching %1 ...</source>
        <translation>%1 ophalen ...</translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation>%1 lezen ...</translation>
    </message>
    <message>
        <source>Building the index ...</source>
        <translation>De index opbouwen ...</translation>
    </message>
    <message>
        <source>Force SafeSearch</source>
        <translation>SafeSearch afdwingen</translation>
    </message>
    <message>
        <source>YouTube: moderate instead of strict</source>
        <translation>YouTube: gematigd in plaats van strikt</translation>
    </message>
    <message>
        <source>Google, Bing and DuckDuckGo filter their results, YouTube shows its restricted mode.</source>
        <translation>Google, Bing en DuckDuckGo filteren hun resultaten, YouTube toont zijn beperkte modus.</translation>
    </message>
    <message>
        <source>Block categories of sites:</source>
        <translation>Categorieën sites blokkeren:</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categorie</translation>
    </message>
    <message>
        <source>Entries</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Bijgewerkt</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>Nu bijwerken</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>The lists: Université Toulouse 1 Capitole (UT1), licence CC BY-SA.</source>
        <translation>De lijsten: Université Toulouse 1 Capitole (UT1), licentie CC BY-SA.</translation>
    </message>
    <message>
        <source>never</source>
        <translation>nooit</translation>
    </message>
    <message>
        <source>Last updated: %1</source>
        <translation>Laatst bijgewerkt: %1</translation>
    </message>
    <message>
        <source>The lists are fetched each night; &quot;Update now&quot; fetches them at once.</source>
        <translation>De lijsten worden elke nacht opgehaald; &quot;Nu bijwerken&quot; haalt ze meteen op.</translation>
    </message>
    <message>
        <source>Updated: %1</source>
        <translation>Bijgewerkt: %1</translation>
    </message>
    <message>
        <source>The update was cancelled; the lists in force stay.</source>
        <translation>Het bijwerken is geannuleerd; de lijsten die gelden blijven.</translation>
    </message>
    <message>
        <source>The update failed; the lists in force stay. %1</source>
        <translation>Het bijwerken is mislukt; de lijsten die gelden blijven. %1</translation>
    </message>
</context>
<context>
    <name>tovalin::ChangePasswordDialog</name>
    <message>
        <source>Change password</source>
        <translation>Wachtwoord wijzigen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Wijzigen</translation>
    </message>
    <message>
        <source>your password</source>
        <translation>uw wachtwoord</translation>
    </message>
    <message>
        <source>Old password:</source>
        <translation>Oud wachtwoord:</translation>
    </message>
    <message>
        <source>New password:</source>
        <translation>Nieuw wachtwoord:</translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation>Herhaal wachtwoord:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tovalin::ClocksDialog</name>
    <message>
        <source>Clocks</source>
        <translation>Klokken</translation>
    </message>
    <message>
        <source>Time clock</source>
        <translation>Tijdklok</translation>
    </message>
    <message>
        <source>Switch clock</source>
        <translation>Wisselklok</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Enter the time span in minutes</source>
        <translation>Vul de tijdsduur in minuten in</translation>
    </message>
    <message>
        <source>Start clock</source>
        <translation>Klok starten</translation>
    </message>
    <message>
        <source>Stop clock</source>
        <translation>Klok stoppen</translation>
    </message>
</context>
<context>
    <name>tovalin::CreatePasswordDialog</name>
    <message>
        <source>Create a password</source>
        <translation>Maak een wachtwoord</translation>
    </message>
    <message>
        <source>Create a password with which you can lock</source>
        <translation>Maak een wachtwoord waarmee u het menu</translation>
    </message>
    <message>
        <source>the menu</source>
        <translation>kunt vergrendelen</translation>
    </message>
    <message>
        <source>New password:</source>
        <translation>Nieuw wachtwoord:</translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation>Herhaal wachtwoord:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tovalin::DesktopGuard</name>
    <message>
        <source>Tovalin</source>
        <translation>Tovalin</translation>
    </message>
    <message>
        <source>This account may administer the computer (member of %1). A child with administrator rights can switch Tovalin off: give the child an account of its own without them.</source>
        <translation>Dit account mag de computer beheren (lid van %1). Een kind met beheerdersrechten kan Tovalin uitschakelen: geef het kind een eigen account zonder die rechten.</translation>
    </message>
</context>
<context>
    <name>tovalin::DownloadProgressWindow</name>
    <message>
        <source>Download progress</source>
        <translation>Voortgang downloaden</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Bezig met downloaden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>tovalin::IconPicker</name>
    <message>
        <source>Select an icon:</source>
        <translation>Kies een pictogram:</translation>
    </message>
    <message>
        <source>Selected:</source>
        <translation>Gekozen:</translation>
    </message>
</context>
<context>
    <name>tovalin::ImportProgressWindow</name>
    <message>
        <source>Import progress</source>
        <translation>Voortgang importeren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>tovalin::LinkEditorPage</name>
    <message>
        <source>Edit link</source>
        <translation>Link bewerken</translation>
    </message>
    <message>
        <source>Select a link first</source>
        <translation>Kies eerst een link</translation>
    </message>
    <message>
        <source>Edit URL</source>
        <translation>Webadres bewerken</translation>
    </message>
    <message>
        <source>Edit Hint</source>
        <translation>Hint bewerken</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Omhoog</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Omlaag</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Selectie</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leeg</translation>
    </message>
</context>
<context>
    <name>tovalin::LockMenuDialog</name>
    <message>
        <source>Enter your password</source>
        <translation>Geef uw wachtwoord</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Change password</source>
        <translation>Wachtwoord wijzigen</translation>
    </message>
</context>
<context>
    <name>tovalin::MainWindow</name>
    <message>
        <source>Tovalin 3.0</source>
        <translation>Tovalin 3.0</translation>
    </message>
    <message>
        <source>Theme&apos;s</source>
        <translation>Thema&apos;s</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Gebruikers</translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation>Klokken</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Create homepage</source>
        <translation>Startpagina maken</translation>
    </message>
    <message>
        <source>Lock menu</source>
        <translation>Menu vergrendelen</translation>
    </message>
    <message>
        <source>Exit Tovalin</source>
        <translation>Tovalin afsluiten</translation>
    </message>
    <message>
        <source>Close menu</source>
        <translation>Sluit menu</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Vorige</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vooruit</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Vernieuwen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Startpagina</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Ga naar</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Afdrukken</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Gebruiker</translation>
    </message>
    <message>
        <source>Parents menu</source>
        <translation>Oudermenu</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Startpagina</translation>
    </message>
    <message>
        <source>Go to this address</source>
        <translation>Ga naar</translation>
    </message>
    <message>
        <source>Suitable for children</source>
        <translation>Geschikt voor kinderen</translation>
    </message>
    <message>
        <source>Not suitable for children</source>
        <translation>Niet geschikt voor kinderen</translation>
    </message>
    <message>
        <source>The website was a pop-up</source>
        <translation>De website was een pop-up</translation>
    </message>
    <message>
        <source>Every site except the start page&apos;s is refused until the file can be read.</source>
        <translation>Zolang het bestand niet gelezen kan worden, wordt elke site behalve de startpagina geweigerd.</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Omhoog</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Omlaag</translation>
    </message>
    <message>
        <source>The help file cannot be found:
%1</source>
        <translation>Het hulpbestand is niet gevonden:
%1</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Verzoeken</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Verslag</translation>
    </message>
</context>
<context>
    <name>tovalin::MediaSide</name>
    <message>
        <source>Tovalin</source>
        <translation>Tovalin</translation>
    </message>
    <message>
        <source>Streaming videos are not played in the Tovalin session.</source>
        <translation>Streaming video&apos;s worden in de Tovalin-sessie niet afgespeeld.</translation>
    </message>
    <message>
        <source>Updates are not installed in the Tovalin session. Log in to a parent&apos;s account and install this file there:
%1</source>
        <translation>Updates worden in de Tovalin-sessie niet geïnstalleerd. Meld u aan met het account van een ouder en installeer daar dit bestand:
%1</translation>
    </message>
</context>
<context>
    <name>tovalin::NewNameDialog</name>
    <message>
        <source>Enter a new name</source>
        <translation>Geef een nieuwe naam</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tovalin::NewUserWizard</name>
    <message>
        <source>Wizard add user</source>
        <translation>Wizard gebruiker toevoegen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Safe surfing for your children</source>
        <translation>Veilig surfen voor uw kinderen</translation>
    </message>
    <message>
        <source>With the Tovalin your kids can safely enjoy </source>
        <translation>Met Tovalin kunnen uw kinderen veilig genieten </translation>
    </message>
    <message>
        <source>the internet.</source>
        <translation>van het internet.</translation>
    </message>
    <message>
        <source>This is the first time you start the Tovalin, that&apos;s why we</source>
        <translation>U start Tovalin voor het eerst, daarom helpen wij</translation>
    </message>
    <message>
        <source>will help you on your way. Within a few minutes your kids</source>
        <translation>u op weg. Binnen een paar minuten kunnen uw kinderen</translation>
    </message>
    <message>
        <source>will be ready to go. Click the start button to continue.</source>
        <translation>aan de slag. Klik op Start om verder te gaan.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Add new user</source>
        <translation>Nieuwe gebruiker toevoegen</translation>
    </message>
    <message>
        <source>Enter the name of the new user</source>
        <translation>Vul de naam van de nieuwe gebruiker in</translation>
    </message>
    <message>
        <source>Note. This could be the name of a child like John, David or Irene, but also a</source>
        <translation>Let op. Dit kan de naam van een kind zijn, zoals Jan, Daan of Iris, maar ook de</translation>
    </message>
    <message>
        <source>name for a group with equal properties like preschool or kindergarten.</source>
        <translation>naam van een groep met dezelfde instellingen, zoals peuters of groep 1.</translation>
    </message>
    <message>
        <source>Next &gt;&gt;</source>
        <translation>Volgende &gt;&gt;</translation>
    </message>
    <message>
        <source>The age of the user is</source>
        <translation>De leeftijd van de gebruiker is</translation>
    </message>
    <message>
        <source>years</source>
        <translation>jaar</translation>
    </message>
    <message>
        <source>Note. Based on the age of the user the most appropriate settings are selected</source>
        <translation>Let op. Bij de leeftijd van de gebruiker worden de best passende instellingen gekozen.</translation>
    </message>
    <message>
        <source>In this way you are ready to go in only a few minutes. You can always change</source>
        <translation>Zo bent u in een paar minuten klaar. U kunt deze instellingen later altijd</translation>
    </message>
    <message>
        <source>these setting later on using then user manager.</source>
        <translation>veranderen in het gebruikersbeheer.</translation>
    </message>
    <message>
        <source>&lt;&lt; Back</source>
        <translation>&lt;&lt; Vorige</translation>
    </message>
    <message>
        <source>Create a shortcut for </source>
        <translation>Maak een snelkoppeling voor </translation>
    </message>
    <message>
        <source>Create a shortcut on the desktop</source>
        <translation>Maak een snelkoppeling op het bureaublad</translation>
    </message>
    <message>
        <source>Do you want to add another user?</source>
        <translation>Wilt u nog een gebruiker toevoegen?</translation>
    </message>
    <message>
        <source>If you would like to add another user then click on the button below,</source>
        <translation>Wilt u nog een gebruiker toevoegen, klik dan op de knop hieronder,</translation>
    </message>
    <message>
        <source>otherwise click on the next button.</source>
        <translation>anders klikt u op Volgende.</translation>
    </message>
    <message>
        <source>Add another user</source>
        <translation>Nog een gebruiker toevoegen</translation>
    </message>
    <message>
        <source>Select a default user to start the Tovalin with</source>
        <translation>Kies de gebruiker waarmee Tovalin start</translation>
    </message>
    <message>
        <source>Select a user</source>
        <translation>Kies een gebruiker</translation>
    </message>
    <message>
        <source>If you click on the next button then the Tovalin will default start with</source>
        <translation>Als u op Volgende klikt, start Tovalin voortaan met</translation>
    </message>
    <message>
        <source>Note. You can alway change the default user later using the</source>
        <translation>Let op. U kunt deze gebruiker later altijd veranderen in het</translation>
    </message>
    <message>
        <source>user manager.</source>
        <translation>gebruikersbeheer.</translation>
    </message>
    <message>
        <source>You have completed all steps of the wizard!</source>
        <translation>U heeft alle stappen van de wizard doorlopen!</translation>
    </message>
    <message>
        <source>All user settings can be changed at any time  </source>
        <translation>Alle instellingen van de gebruikers kunt u altijd veranderen  </translation>
    </message>
    <message>
        <source>using the user manager.</source>
        <translation>in het gebruikersbeheer.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Klaar</translation>
    </message>
    <message>
        <source>Welcome at the Tovalin!</source>
        <translation>Welkom bij Tovalin!</translation>
    </message>
    <message>
        <source>Enter the age of </source>
        <translation>Vul de leeftijd in van </translation>
    </message>
    <message>
        <source>The new user has</source>
        <translation>De nieuwe gebruiker</translation>
    </message>
    <message>
        <source>been added.</source>
        <translation>is toegevoegd.</translation>
    </message>
    <message>
        <source>the user </source>
        <translation>gebruiker </translation>
    </message>
</context>
<context>
    <name>tovalin::ParentsSide</name>
    <message>
        <source>The help file cannot be found:
%1</source>
        <translation>Het hulpbestand is niet gevonden:
%1</translation>
    </message>
</context>
<context>
    <name>tovalin::PasswordDialogBase</name>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>tovalin::QuickMenuWindow</name>
    <message>
        <source>Shortcut menu</source>
        <translation>Snelmenu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Gebruiker</translation>
    </message>
    <message>
        <source>Select a user</source>
        <translation>Kies een gebruiker</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Select a theme</source>
        <translation>Kies een thema</translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation>Klokken</translation>
    </message>
    <message>
        <source>Activate a clock</source>
        <translation>Zet een klok aan</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>How to use the Tovalin </source>
        <translation>Zo werkt Tovalin </translation>
    </message>
    <message>
        <source>User manager</source>
        <translation>Gebruiker beheer</translation>
    </message>
    <message>
        <source>Manage all users</source>
        <translation>Alle gebruikers beheren</translation>
    </message>
    <message>
        <source>Theme manager</source>
        <translation>Thema beheer</translation>
    </message>
    <message>
        <source>Manage all theme&apos;s</source>
        <translation>Alle thema&apos;s beheren</translation>
    </message>
    <message>
        <source>Activated site:</source>
        <translation>Actieve site:</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Startpagina</translation>
    </message>
    <message>
        <source>Create homepage</source>
        <translation>Startpagina maken</translation>
    </message>
</context>
<context>
    <name>tovalin::ReportPage</name>
    <message>
        <source>This report stays on this computer: nothing of it is sent anywhere.</source>
        <translation>Dit verslag blijft op deze computer: er wordt niets van verstuurd.</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Verslag</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Gebruiker:</translation>
    </message>
    <message>
        <source>Keep the report for:</source>
        <translation>Verslag bewaren:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Keer</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Eerste</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Laatste</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Blokkeren</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Toestaan</translation>
    </message>
    <message>
        <source>Minutes per theme</source>
        <translation>Minuten per thema</translation>
    </message>
    <message>
        <source>Pages visited</source>
        <translation>Bezochte pagina&apos;s</translation>
    </message>
    <message>
        <source>Refused</source>
        <translation>Geweigerd</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Verzoeken</translation>
    </message>
    <message>
        <source>open</source>
        <translation>open</translation>
    </message>
    <message>
        <source>allowed today only</source>
        <translation>alleen vandaag toegestaan</translation>
    </message>
    <message>
        <source>allowed</source>
        <translation>toegestaan</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>geweigerd</translation>
    </message>
    <message>
        <source>Videos</source>
        <translation>Video&apos;s</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 dag</translation>
    </message>
    <message>
        <source>7 days</source>
        <translation>7 dagen</translation>
    </message>
    <message>
        <source>30 days</source>
        <translation>30 dagen</translation>
    </message>
    <message>
        <source>%1 — minutes surfed: %2</source>
        <translation>%1 — minuten gesurft: %2</translation>
    </message>
    <message>
        <source>%1: %2 min.</source>
        <translation>%1: %2 min.</translation>
    </message>
</context>
<context>
    <name>tovalin::RequestWindow</name>
    <message>
        <source>Ask a parent</source>
        <translation>Vraag het een ouder</translation>
    </message>
    <message>
        <source>Your question has been sent to a parent.</source>
        <translation>Je vraag is naar een ouder gestuurd.</translation>
    </message>
    <message>
        <source>A parent can answer it later, or now:</source>
        <translation>Een ouder kan hem later beantwoorden, of nu:</translation>
    </message>
    <message>
        <source>A parent is here</source>
        <translation>Er is een ouder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Enter your password</source>
        <translation>Geef uw wachtwoord</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Allow it for the child?</source>
        <translation>Toestaan voor het kind?</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Toestaan</translation>
    </message>
    <message>
        <source>Refuse</source>
        <translation>Weigeren</translation>
    </message>
    <message>
        <source>No parents&apos; password has been set yet: set one with the padlock first.</source>
        <translation>Er is nog geen ouderwachtwoord: maak er eerst een met het hangslot.</translation>
    </message>
</context>
<context>
    <name>tovalin::RequestsPage</name>
    <message>
        <source>not on the whitelist</source>
        <translation>niet op de kindvriendelijke lijst</translation>
    </message>
    <message>
        <source>on the blacklist</source>
        <translation>op de kindonvriendelijke lijst</translation>
    </message>
    <message>
        <source>in a blocked category</source>
        <translation>in een geblokkeerde categorie</translation>
    </message>
    <message>
        <source>time was up</source>
        <translation>de tijd was om</translation>
    </message>
    <message>
        <source>blocked document</source>
        <translation>geblokkeerd document</translation>
    </message>
    <message>
        <source>blocked video</source>
        <translation>geblokkeerde video</translation>
    </message>
    <message>
        <source>not a web page</source>
        <translation>geen webpagina</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Verzoeken</translation>
    </message>
    <message>
        <source>What the children asked for, the newest first:</source>
        <translation>Wat de kinderen vroegen, het nieuwste eerst:</translation>
    </message>
    <message>
        <source>Asked</source>
        <translation>Gevraagd</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Gebruiker</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Refused because</source>
        <translation>Geweigerd omdat</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Toestaan</translation>
    </message>
    <message>
        <source>Refuse</source>
        <translation>Weigeren</translation>
    </message>
    <message>
        <source>Answered in the last days:</source>
        <translation>Beantwoord in de laatste dagen:</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Beantwoord</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwoord</translation>
    </message>
    <message>
        <source>Refused</source>
        <translation>Geweigerd</translation>
    </message>
    <message>
        <source>Allowed</source>
        <translation>Toegestaan</translation>
    </message>
    <message>
        <source>Allowed today only</source>
        <translation>Alleen vandaag toegestaan</translation>
    </message>
    <message>
        <source>Allowed as</source>
        <translation>Toegestaan als</translation>
    </message>
    <message>
        <source>%1 in all themes</source>
        <translation>%1 in alle thema&apos;s</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
</context>
<context>
    <name>tovalin::SiteCommands</name>
    <message>
        <source>One level up</source>
        <translation>Eén nivo hoger</translation>
    </message>
    <message>
        <source>Add to whitelist</source>
        <translation>Kindvriendelijk</translation>
    </message>
    <message>
        <source>Add to blacklist</source>
        <translation>Kindonvriendelijk</translation>
    </message>
    <message>
        <source>Go to URL manager</source>
        <translation>Ga naar URL beheer</translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeDownload</name>
    <message>
        <source>Import from the internet failed! The server is currently not available</source>
        <translation>Importeren van internet is mislukt! De server is nu niet bereikbaar</translation>
    </message>
    <message>
        <source>       Import from the internet failed!       </source>
        <translation>       Importeren van internet is mislukt!       </translation>
    </message>
    <message>
        <source>     Import from the internet is ready!     </source>
        <translation>     Importeren van internet is klaar!     </translation>
    </message>
    <message>
        <source>Do you want to download theme %1?</source>
        <translation>Wilt u thema %1 downloaden?</translation>
    </message>
    <message>
        <source>Theme %1 already exists. Overwrite?</source>
        <translation>Thema %1 bestaat al. Overschrijven?</translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation>U heeft geen geldige naam ingevuld. Probeer het opnieuw!</translation>
    </message>
    <message>
        <source>Download progress</source>
        <translation>Voortgang downloaden</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Bezig met downloaden</translation>
    </message>
    <message>
        <source>Preparing files</source>
        <translation>Bestanden voorbereiden</translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeDownloadPage</name>
    <message>
        <source>Download from internet</source>
        <translation>Downloaden van internet</translation>
    </message>
    <message>
        <source>The following theme&apos;s have been downloaded</source>
        <translation>Deze thema&apos;s zijn gedownload</translation>
    </message>
    <message>
        <source>Download more theme&apos;s</source>
        <translation>Meer thema&apos;s downloaden</translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeManagerDialog</name>
    <message>
        <source>Edit theme&apos;s: general</source>
        <translation>Thema&apos;s bewerken: algemeen</translation>
    </message>
    <message>
        <source>Select a theme</source>
        <translation>Kies een thema</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Openen</translation>
    </message>
    <message>
        <source>Delete theme</source>
        <translation>Thema verwijderen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Edit options</source>
        <translation>Opties bewerken</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nieuw</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importeren</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Local...</source>
        <translation>Lokaal...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>New theme</source>
        <translation>Nieuw thema</translation>
    </message>
    <message>
        <source>Enter a name for the new theme</source>
        <translation>Geef een naam voor het nieuwe thema</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Maken</translation>
    </message>
    <message>
        <source>The new theme has been saved as</source>
        <translation>Het nieuwe thema is opgeslagen als</translation>
    </message>
    <message>
        <source>Select a theme from the list</source>
        <translation>Kies een thema uit de lijst</translation>
    </message>
    <message>
        <source>No theme selected</source>
        <translation>Geen thema gekozen</translation>
    </message>
    <message>
        <source>Selected thema: </source>
        <translation>Gekozen thema: </translation>
    </message>
    <message>
        <source>Import theme&apos;s</source>
        <translation>Thema&apos;s importeren</translation>
    </message>
    <message>
        <source>Activate the imported theme</source>
        <translation>Het geïmporteerde thema activeren</translation>
    </message>
    <message>
        <source>Tovalin</source>
        <translation>Tovalin</translation>
    </message>
    <message>
        <source>     You did not enter a name     </source>
        <translation>     U heeft geen naam ingevuld     </translation>
    </message>
    <message>
        <source>Theme %1 already exists. Overwrite?</source>
        <translation>Thema %1 bestaat al. Overschrijven?</translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation>U heeft geen geldige naam ingevuld. Probeer het opnieuw!</translation>
    </message>
    <message>
        <source>The theme could not be saved:
%1</source>
        <translation>Het thema kon niet worden opgeslagen:
%1</translation>
    </message>
    <message>
        <source>Do you want to remove theme %1?</source>
        <translation>Wilt u thema %1 verwijderen?</translation>
    </message>
    <message>
        <source>Import a Tovalin theme</source>
        <translation>Een Tovalin-thema importeren</translation>
    </message>
    <message>
        <source>Tovalin theme files (*.tvz)</source>
        <translation>Tovalin-themabestanden (*.tvz)</translation>
    </message>
    <message>
        <source>       Import from the internet failed!       </source>
        <translation>       Importeren van internet is mislukt!       </translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeManagerWindows</name>
    <message>
        <source>Tovalin</source>
        <translation>Tovalin</translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeTab</name>
    <message>
        <source>Add to favorites</source>
        <translation>Toevoegen aan favorieten</translation>
    </message>
    <message>
        <source>Edit link</source>
        <translation>Link bewerken</translation>
    </message>
    <message>
        <source>Navigate browser</source>
        <translation>Browser bedienen</translation>
    </message>
    <message>
        <source>Edit theme&apos;s</source>
        <translation>Thema&apos;s bewerken</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Activated theme</source>
        <translation>Actief thema</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bewerken</translation>
    </message>
    <message>
        <source>URL Manager</source>
        <translation>URL beheer</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporteren</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importeren</translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeWindows</name>
    <message>
        <source>Tovalin theme files (*.tvz)</source>
        <translation>Tovalin-themabestanden (*.tvz)</translation>
    </message>
    <message>
        <source>Open or make a theme first (&quot;Edit theme&apos;s&quot;).</source>
        <translation>Open of maak eerst een thema (&quot;Thema&apos;s bewerken&quot;).</translation>
    </message>
</context>
<context>
    <name>tovalin::UpdateDialog</name>
    <message>
        <source>Download new update?</source>
        <translation>Nieuwe update downloaden?</translation>
    </message>
    <message>
        <source>New update</source>
        <translation>Nieuwe update</translation>
    </message>
    <message>
        <source>A new update for the Tovalin is available</source>
        <translation>Er is een nieuwe update voor Tovalin</translation>
    </message>
    <message>
        <source>Click on download and install button to install the Tovalin update. During the installation process the Tovalin will be closed automatically.</source>
        <translation>Klik op Downloaden en installeren om de update van Tovalin te installeren. Tijdens het installeren wordt Tovalin vanzelf afgesloten.</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Wachtwoord</translation>
    </message>
    <message>
        <source>Download and install</source>
        <translation>Downloaden en installeren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>versie:</translation>
    </message>
</context>
<context>
    <name>tovalin::UpdateOffer</name>
    <message>
        <source>Downloading of updates is password protected</source>
        <translation>Updates downloaden is met een wachtwoord beveiligd</translation>
    </message>
    <message>
        <source>       Wrong password!       </source>
        <translation>       Verkeerd wachtwoord!       </translation>
    </message>
    <message>
        <source>Unable to run </source>
        <translation>Kan niet starten: </translation>
    </message>
    <message>
        <source>The download failed. Please try again later</source>
        <translation>Het downloaden is mislukt. Probeer het later opnieuw</translation>
    </message>
</context>
<context>
    <name>tovalin::UserManagerDialog</name>
    <message>
        <source>Users</source>
        <translation>Gebruikers</translation>
    </message>
    <message>
        <source>Users: general</source>
        <translation>Gebruikers: algemeen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nieuw</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Openen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Verwijderen</translation>
    </message>
    <message>
        <source>Wizard</source>
        <translation>Wizard</translation>
    </message>
    <message>
        <source>Active user</source>
        <translation>Actieve gebruiker</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Beveiliging</translation>
    </message>
    <message>
        <source>Theme&apos;s </source>
        <translation>Thema&apos;s </translation>
    </message>
    <message>
        <source>Extra</source>
        <translation>Extra</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Snelkoppeling</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Opslaan als</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Security settings</source>
        <translation>Instellingen beveiliging</translation>
    </message>
    <message>
        <source>Block sites from the blacklist</source>
        <translation>Sites van de kindonvriendelijke lijst blokkeren</translation>
    </message>
    <message>
        <source>Only allow sites from the whitelist</source>
        <translation>Alleen sites van de kindvriendelijke lijst toestaan</translation>
    </message>
    <message>
        <source>Block key combinations [alt-tab, ctrl-esc, windows button, etc.]</source>
        <translation>Toetscombinaties blokkeren [alt-tab, ctrl-esc, Windows-toets, enz.]</translation>
    </message>
    <message>
        <source>Block dialog windows</source>
        <translation>Dialoogvensters blokkeren</translation>
    </message>
    <message>
        <source>Lock menu on startup</source>
        <translation>Menu vergrendelen bij het starten</translation>
    </message>
    <message>
        <source>Automatic restart after abnormal termination (eg. via CTRL-ALT-DEL)</source>
        <translation>Automatisch herstarten na een onverwacht einde (bijv. via CTRL-ALT-DEL)</translation>
    </message>
    <message>
        <source>Block URL&apos;s with extensions:</source>
        <translation>Webadressen blokkeren met de extensies:</translation>
    </message>
    <message>
        <source>Show video&apos;s with extensions:</source>
        <translation>Video&apos;s tonen met de extensies:</translation>
    </message>
    <message>
        <source>Show streaming video&apos;s:</source>
        <translation>Streaming video&apos;s tonen:</translation>
    </message>
    <message>
        <source>RealMedia </source>
        <translation>RealMedia </translation>
    </message>
    <message>
        <source>Windows Media (.asx)</source>
        <translation>Windows Media (.asx)</translation>
    </message>
    <message>
        <source>QuickTime (.qtl)</source>
        <translation>QuickTime (.qtl)</translation>
    </message>
    <message>
        <source>Note. Need media player</source>
        <translation>Let op. Hiervoor is een mediaspeler nodig</translation>
    </message>
    <message>
        <source>Theme&apos;s of the user</source>
        <translation>Thema&apos;s van de gebruiker</translation>
    </message>
    <message>
        <source>Available theme&apos;s</source>
        <translation>Beschikbare thema&apos;s</translation>
    </message>
    <message>
        <source>Allowed theme&apos;s</source>
        <translation>Toegestane thema&apos;s</translation>
    </message>
    <message>
        <source> &gt;</source>
        <translation> &gt;</translation>
    </message>
    <message>
        <source> &lt;</source>
        <translation> &lt;</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Omhoog</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Omlaag</translation>
    </message>
    <message>
        <source>Note. The user starts with the first theme </source>
        <translation>Let op. De gebruiker begint met het eerste thema </translation>
    </message>
    <message>
        <source>in the list</source>
        <translation>in de lijst</translation>
    </message>
    <message>
        <source>URL of the homepage of this user</source>
        <translation>Webadres van de startpagina van deze gebruiker</translation>
    </message>
    <message>
        <source>Extra options </source>
        <translation>Extra opties </translation>
    </message>
    <message>
        <source>Appearance main screen Tovalin</source>
        <translation>Uiterlijk hoofdscherm Tovalin</translation>
    </message>
    <message>
        <source>Hide navigation buttons</source>
        <translation>Navigatieknoppen verbergen</translation>
    </message>
    <message>
        <source>Hide presentation active theme</source>
        <translation>Actief thema niet tonen</translation>
    </message>
    <message>
        <source>Hide presentation active user</source>
        <translation>Actieve gebruiker niet tonen</translation>
    </message>
    <message>
        <source>Hide navigation panel</source>
        <translation>Navigatiebalk verbergen</translation>
    </message>
    <message>
        <source>Show Tovalin exit button</source>
        <translation>Knop Tovalin afsluiten tonen</translation>
    </message>
    <message>
        <source>Hide address bar</source>
        <translation>Adresbalk verbergen</translation>
    </message>
    <message>
        <source>Hide print button</source>
        <translation>Afdrukknop verbergen</translation>
    </message>
    <message>
        <source>Show hints on mouseover</source>
        <translation>Hints tonen onder de muis</translation>
    </message>
    <message>
        <source>Clock settings</source>
        <translation>Instellingen klokken</translation>
    </message>
    <message>
        <source>Start time clock with activation of user</source>
        <translation>Start tijdklok bij activering gebruiker</translation>
    </message>
    <message>
        <source>Number of minutes:</source>
        <translation>Aantal minuten:</translation>
    </message>
    <message>
        <source>Start switch clock with activation of user</source>
        <translation>Start wisselklok bij activering gebruiker</translation>
    </message>
    <message>
        <source>Shortcut on desktop</source>
        <translation>Snelkoppeling op het bureaublad</translation>
    </message>
    <message>
        <source>A shortcut on the desktop starts the Tovalin with the active user.</source>
        <translation>Een snelkoppeling op het bureaublad start Tovalin met de actieve gebruiker.</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Maken</translation>
    </message>
    <message>
        <source>Save the active user as</source>
        <translation>Actieve gebruiker opslaan als</translation>
    </message>
    <message>
        <source>Enter a new name for the settings of the active user:</source>
        <translation>Geef een nieuwe naam voor de instellingen van de actieve gebruiker:</translation>
    </message>
    <message>
        <source>The active use has been saved as</source>
        <translation>De actieve gebruiker is opgeslagen als</translation>
    </message>
    <message>
        <source>Create a new user</source>
        <translation>Een nieuwe gebruiker maken</translation>
    </message>
    <message>
        <source>Enter the name of the new user:</source>
        <translation>Vul de naam van de nieuwe gebruiker in:</translation>
    </message>
    <message>
        <source>Activate new user</source>
        <translation>Nieuwe gebruiker activeren</translation>
    </message>
    <message>
        <source>The new user gets the settings shown now; choose the theme&apos;s afterwards.</source>
        <translation>De nieuwe gebruiker krijgt de instellingen die nu getoond worden; kies daarna de thema&apos;s.</translation>
    </message>
    <message>
        <source>The new user has been save as</source>
        <translation>De nieuwe gebruiker is opgeslagen als</translation>
    </message>
    <message>
        <source>Activate a user</source>
        <translation>Een gebruiker activeren</translation>
    </message>
    <message>
        <source>Start the Tovalin with the selected user</source>
        <translation>Tovalin starten met de gekozen gebruiker</translation>
    </message>
    <message>
        <source>Selected user: </source>
        <translation>Gekozen gebruiker: </translation>
    </message>
    <message>
        <source>Delete user</source>
        <translation>Gebruiker verwijderen</translation>
    </message>
    <message>
        <source>No user selected</source>
        <translation>Geen gebruiker gekozen</translation>
    </message>
    <message>
        <source>The settings of %1 have been saved.</source>
        <translation>De instellingen van %1 zijn opgeslagen.</translation>
    </message>
    <message>
        <source>     You did not select anything!     </source>
        <translation>     U heeft niets gekozen!     </translation>
    </message>
    <message>
        <source>%1 is the active user now.</source>
        <translation>%1 is nu de actieve gebruiker.</translation>
    </message>
    <message>
        <source>Whitelist entries are sites</source>
        <translation>Regels van de kindvriendelijke lijst zijn sites</translation>
    </message>
</context>
<context>
    <name>tovalin::VideoPage</name>
    <message>
        <source>Play</source>
        <translation>Afspelen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauze</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
</context>
<context>
    <name>tovalin::WalkingFigure</name>
    <message>
        <source>Click to pause, double-click to start again</source>
        <translation>Klik om te pauzeren, dubbelklik om weer te starten</translation>
    </message>
</context>
</TS>
