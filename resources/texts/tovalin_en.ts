<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AcceptListModel</name>
    <message>
        <source>Allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AutoRestart</name>
    <message>
        <source>Automatic restart not available!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BlockAccept</name>
    <message>
        <source> has already been added to the blacklist. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CategoryCatalogue</name>
    <message>
        <source>Adult sites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partly adult sites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lingerie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gambling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drugs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Violence and hate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Malware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phishing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ways around the filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VPN services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DNS over HTTPS</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CategoryFilter</name>
    <message>
        <source>Until they are there, only the theme&apos;s whitelist and the start page can be visited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The category lists have never been fetched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The category lists cannot be read (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These category lists have not been fetched yet: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last update of the category lists failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CategoryUpdate</name>
    <message>
        <source>The update was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another update of the category lists is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No usable source of category lists is set (vendor.ini).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be fetched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not match its check sum: it arrived damaged or was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a usable category list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The source holds none of the categories asked for (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The category lists cannot be saved (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopLauncher</name>
    <message>
        <source>The user name cannot be a file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     Creating shortcut failed!     </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopLock</name>
    <message>
        <source>Tovalin cannot keep the child inside on this desktop. Log in to the &quot;Tovalin for children&quot; session, or to an X11 session, to lock the desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock in force on this desktop: the X11 lock.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock in force on this desktop: the Tovalin session.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock in force on this desktop: none. Log in to the &quot;Tovalin for children&quot; session, or to an X11 session, to lock the desktop.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpPage</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkEditing</name>
    <message>
        <source>     You did not complete all fields!     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     The URL has been changed!      </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The theme &quot;%1&quot; cannot be saved: choose or make a theme first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This theme already holds %1 links; remove one before adding another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link list of theme &quot;%1&quot; cannot be read; nothing was added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture of the link cannot be saved in %1; nothing was added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link list of theme &quot;%1&quot; cannot be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkPanel</name>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuLock</name>
    <message>
        <source>The password could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not complete all fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You entered two different new passwords</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>      Wrong password!      </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     Wrong password!     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention: The </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parents menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> is not locked!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to lock it now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unlock menu?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock menu?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavigationGuard</name>
    <message>
        <source>Turn filter off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn filter on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavigationModel</name>
    <message>
        <source>Block active site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow blocked site</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParentsMenu</name>
    <message>
        <source>Lock menu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasswordStore</name>
    <message>
        <source>The password file %1 is damaged: it holds no valid password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password file %1 cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password file %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be encrypted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PopupGuard</name>
    <message>
        <source>Block popup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow popup</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Drag to change the size of the page; double-click for the full size</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuickMenuModel</name>
    <message>
        <source>No site loaded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RequestStore</name>
    <message>
        <source>There is no request %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Request %1 has been answered already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The requests file %1 cannot be used (%2); no request is recorded or answered until it can.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a requests file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder of %1 cannot be made.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShortcutIcons</name>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SiteLists</name>
    <message>
        <source>the file is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list file %1 could not be loaded: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be read when the lists were loaded, so it is left unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list file %1 could not be saved: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a folder has its name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until it can be read, every site except the start page&apos;s is refused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The change stays in force until Tovalin closes; it is saved again with the next change.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>     You did not select a user!    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   Creating a homepage failed!   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homepage for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> created</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SwitchClock</name>
    <message>
        <source>You activated the switch clock, but did not enter a time span </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>the disk is full or cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission to write here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeArchive</name>
    <message>
        <source>No theme named %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the archive back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No archive at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive is larger than 64 MB uncompressed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeEditing</name>
    <message>
        <source>Tovalin theme: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a Tovalin theme: picture links and websites that a child can visit safely. Open the file with Tovalin.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will find more themes and Tovalin itself at http://%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeFiles</name>
    <message>
        <source>Invalid link ID: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid theme name: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeImport</name>
    <message>
        <source>Cannot replace %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a valid theme name: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No themes folder at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make a staging folder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make a staging folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeListsEditor</name>
    <message>
        <source>There is no theme &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no site to allow.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeClock</name>
    <message>
        <source>You activated the clock, but did not enter a time span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only whole numbers are allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time&apos;s up!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserManager</name>
    <message>
        <source>No user selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected user: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active user: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> already exists. Overwrite?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user name was entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The next time the Tovalin will start with </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to remove user </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user %1 could not be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no active user: open or create a user first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You activated the clock, but did not enter a time span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You activated the switch clock, but did not enter a time span </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save the changes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserNames</name>
    <message>
        <source>     You did not enter a name     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserStore</name>
    <message>
        <source>You don&apos;t have administator rights. Use another account!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user available</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::AcceptWindow</name>
    <message>
        <source>Allow blocked URL&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Several URL&apos;s were blocked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ActiveThemeEditor</name>
    <message>
        <source>Edit active theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whitelist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blacklist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pop-up list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email (not available)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter another name for this theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The active thema has been saved as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the delete button to remove the active theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: This action cannot be undone!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the theme that you want to add from the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The active theme will be expanded with the selected  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select an URL that you want to edit from the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new URL or edit a selected URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One level up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active theme: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No theme selected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     You did not enter a name     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> already exists. Overwrite?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not every file of the theme could be copied to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to remove theme </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The theme could not be expanded completely: %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Themes cannot be exported here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export theme: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The theme could not be exported to %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention: The email was not sent!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This entry lets more than one site through: its site name has no dot, or begins or ends with one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ActivitySide</name>
    <message>
        <source>today only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is allowed in theme %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is blocked in theme %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ActivityWindow</name>
    <message>
        <source>Requests and report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::AddLinkWizard</name>
    <message>
        <source>Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take a picture of the browser screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>by clicking on the camera on the right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select with the square a nice image of this </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>site that the child can easily recognize.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 3 (optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you want you can change the web address (URL) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip: By changing the URL you can connect another site to this image.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 4 (optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you want you can give a short hint for the link </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip: The hint will be shown when the mouse pointer moves over the image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 5 (optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appears in the whitelist as: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One level up: allow the whole folder of the site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open or make a theme first (&quot;Edit theme&apos;s&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take a picture with the camera first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::AllowChoices</name>
    <message>
        <source>This page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This whole site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In this theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In all of the user&apos;s themes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today only</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::Application</name>
    <message>
        <source>Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data folder cannot be used:
%1

Tovalin starts, but nothing can be saved until the folder is writable.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::AskButton</name>
    <message>
        <source>Ask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The question could not be sent. Ask again, or fetch a parent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your question has been sent to a parent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask a parent whether you may open this page.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::CategorySettings</name>
    <message>
        <source>Fetching %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Building the index ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force SafeSearch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YouTube: moderate instead of strict</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google, Bing and DuckDuckGo filter their results, YouTube shows its restricted mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block categories of sites:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists: Université Toulouse 1 Capitole (UT1), licence CC BY-SA.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last updated: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are fetched each night; &quot;Update now&quot; fetches them at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update was cancelled; the lists in force stay.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update failed; the lists in force stay. %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ChangePasswordDialog</name>
    <message>
        <source>Change password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ClocksDialog</name>
    <message>
        <source>Clocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the time span in minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop clock</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::CreatePasswordDialog</name>
    <message>
        <source>Create a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a password with which you can lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::DesktopGuard</name>
    <message>
        <source>Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This account may administer the computer (member of %1). A child with administrator rights can switch Tovalin off: give the child an account of its own without them.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::DownloadProgressWindow</name>
    <message>
        <source>Download progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::IconPicker</name>
    <message>
        <source>Select an icon:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ImportProgressWindow</name>
    <message>
        <source>Import progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::LinkEditorPage</name>
    <message>
        <source>Edit link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a link first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::LockMenuDialog</name>
    <message>
        <source>Enter your password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::MainWindow</name>
    <message>
        <source>Tovalin 3.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create homepage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parents menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to this address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suitable for children</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not suitable for children</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The website was a pop-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every site except the start page&apos;s is refused until the file can be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help file cannot be found:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::MediaSide</name>
    <message>
        <source>Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Streaming videos are not played in the Tovalin session.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates are not installed in the Tovalin session. Log in to a parent&apos;s account and install this file there:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::NewNameDialog</name>
    <message>
        <source>Enter a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::NewUserWizard</name>
    <message>
        <source>Wizard add user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safe surfing for your children</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With the Tovalin your kids can safely enjoy </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the internet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is the first time you start the Tovalin, that&apos;s why we</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>will help you on your way. Within a few minutes your kids</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>will be ready to go. Click the start button to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the name of the new user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note. This could be the name of a child like John, David or Irene, but also a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name for a group with equal properties like preschool or kindergarten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next &gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The age of the user is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note. Based on the age of the user the most appropriate settings are selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In this way you are ready to go in only a few minutes. You can always change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>these setting later on using then user manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;&lt; Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a shortcut for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a shortcut on the desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to add another user?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you would like to add another user then click on the button below,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>otherwise click on the next button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add another user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a default user to start the Tovalin with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you click on the next button then the Tovalin will default start with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note. You can alway change the default user later using the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have completed all steps of the wizard!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All user settings can be changed at any time  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>using the user manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome at the Tovalin!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the age of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new user has</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>been added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the user </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ParentsSide</name>
    <message>
        <source>The help file cannot be found:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::PasswordDialogBase</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::QuickMenuWindow</name>
    <message>
        <source>Shortcut menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How to use the Tovalin </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage all users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage all theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activated site:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create homepage</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ReportPage</name>
    <message>
        <source>This report stays on this computer: nothing of it is sent anywhere.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the report for:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes per theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages visited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>allowed today only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Videos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — minutes surfed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 min.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::RequestWindow</name>
    <message>
        <source>Ask a parent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your question has been sent to a parent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parent can answer it later, or now:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parent is here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter your password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow it for the child?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refuse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No parents&apos; password has been set yet: set one with the padlock first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::RequestsPage</name>
    <message>
        <source>not on the whitelist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the blacklist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in a blocked category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time was up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blocked document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blocked video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a web page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the children asked for, the newest first:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused because</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refuse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answered in the last days:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allowed today only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allowed as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in all themes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::SiteCommands</name>
    <message>
        <source>Add to whitelist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to blacklist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to URL manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One level up</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeDownload</name>
    <message>
        <source>Import from the internet failed! The server is currently not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>       Import from the internet failed!       </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     Import from the internet is ready!     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to download theme %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme %1 already exists. Overwrite?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeDownloadPage</name>
    <message>
        <source>Download from internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The following theme&apos;s have been downloaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download more theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeManagerDialog</name>
    <message>
        <source>Edit theme&apos;s: general</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a name for the new theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new theme has been saved as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a theme from the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No theme selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected thema: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate the imported theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     You did not enter a name     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme %1 already exists. Overwrite?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not enter a valid name. Try again!.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The theme could not be saved:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to remove theme %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a Tovalin theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tovalin theme files (*.tvz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>       Import from the internet failed!       </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeManagerWindows</name>
    <message>
        <source>Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeTab</name>
    <message>
        <source>Add to favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Navigate browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activated theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeWindows</name>
    <message>
        <source>Tovalin theme files (*.tvz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open or make a theme first (&quot;Edit theme&apos;s&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::UpdateDialog</name>
    <message>
        <source>Download new update?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new update for the Tovalin is available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on download and install button to install the Tovalin update. During the installation process the Tovalin will be closed automatically.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download and install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::UpdateOffer</name>
    <message>
        <source>Downloading of updates is password protected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>       Wrong password!       </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to run </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download failed. Please try again later</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::UserManagerDialog</name>
    <message>
        <source>Users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Users: general</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme&apos;s </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block sites from the blacklist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only allow sites from the whitelist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block key combinations [alt-tab, ctrl-esc, windows button, etc.]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block dialog windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock menu on startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic restart after abnormal termination (eg. via CTRL-ALT-DEL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block URL&apos;s with extensions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show video&apos;s with extensions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show streaming video&apos;s:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RealMedia </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows Media (.asx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QuickTime (.qtl)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note. Need media player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme&apos;s of the user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allowed theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note. The user starts with the first theme </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL of the homepage of this user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extra options </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance main screen Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide navigation buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide presentation active theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide presentation active user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide navigation panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Tovalin exit button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide address bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide print button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show hints on mouseover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start time clock with activation of user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of minutes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start switch clock with activation of user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut on desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A shortcut on the desktop starts the Tovalin with the active user.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active user as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a new name for the settings of the active user:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The active use has been saved as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the name of the new user:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate new user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new user gets the settings shown now; choose the theme&apos;s afterwards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new user has been save as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start the Tovalin with the selected user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected user: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings of %1 have been saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     You did not select anything!     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is the active user now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whitelist entries are sites</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::VideoPage</name>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::WalkingFigure</name>
    <message>
        <source>Click to pause, double-click to start again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
