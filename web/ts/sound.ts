// The room's sounds through Web Audio, with the program's on/off choice (remembered). The
// browser lets a page sound only after a click or a key: until then sounds are dropped, silently.

const kKey = "kubisto.sound";
let context: AudioContext | null = null;
const buffers = new Map<string, Promise<AudioBuffer | null>>();

export function soundOn(): boolean {
  return localStorage.getItem(kKey) !== "off";
}

export function setSoundOn(on: boolean): void {
  localStorage.setItem(kKey, on ? "on" : "off");
}

function audio(): AudioContext | null {
  if (context === null && typeof AudioContext !== "undefined") context = new AudioContext();
  return context;
}

// Called on the first click or key: the browser allows sound from then on.
export function unlockSound(): void {
  const c = audio();
  if (c && c.state === "suspended") void c.resume();
}

export function soundAllowed(): boolean {
  return audio()?.state === "running";
}

function buffer(name: string): Promise<AudioBuffer | null> {
  let b = buffers.get(name);
  if (!b) {
    b = fetch(`sound/${name}.wav`)
      .then((r) => r.arrayBuffer())
      .then((bytes) => audio()!.decodeAudioData(bytes))
      .catch(() => null);
    buffers.set(name, b);
  }
  return b;
}

// Plays a sound; resolves when it has finished (at once when it cannot be played).
export async function play(name: string): Promise<void> {
  const c = audio();
  if (!soundOn() || c === null || c.state !== "running") return;
  const b = await buffer(name);
  if (b === null) return;
  const source = c.createBufferSource();
  source.buffer = b;
  source.connect(c.destination);
  await new Promise<void>((done) => {
    source.onended = () => done();
    source.start();
  });
}

// The length of a sound in milliseconds (0 when it cannot be read).
export async function length(name: string): Promise<number> {
  if (audio() === null) return 0;
  const b = await buffer(name);
  return b ? b.duration * 1000 : 0;
}
